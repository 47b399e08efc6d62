/* cbw32: the digital I/O driver calls of the 24-line digital I/O board.
 *
 * Two implementations sit behind these four calls (Cbw32Backend.h chooses): a simulated digital
 * I/O board whose first three ports are wired, as a small parallel bus, to a simulated
 * acquisition board (Cbw32Sim.h controls it), and a real board through Comedi. Every call
 * returns CBW32_OK or one of the CBW32_ERR_ codes and leaves its output untouched on an error.
 * Not thread-safe.
 */
#ifndef CBW32_CBW32_H
#define CBW32_CBW32_H

#if defined(__GNUC__)
#define CBW32_API __attribute__((visibility("default")))
#else
#define CBW32_API
#endif

/* Return codes. */
#define CBW32_OK 0
#define CBW32_ERR_BOARD 1     /* no board answers to this board number */
#define CBW32_ERR_PORT 2      /* no such port */
#define CBW32_ERR_DIRECTION 3 /* neither CBW32_OUTPUT nor CBW32_INPUT */
#define CBW32_ERR_VALUE 4     /* value wider than the port */
#define CBW32_ERR_CONFIG 5    /* unknown information type or item */
#define CBW32_ERR_POINTER 6   /* null result pointer */
#define CBW32_ERR_INTERNAL 7  /* the driver ran out of resources */
#define CBW32_ERR_DEVICE 8    /* the device refused the operation */

/* Ports of the first group: A and B are 8 bits wide, C is used as two 4-bit halves. */
#define CBW32_PORT_A 10
#define CBW32_PORT_B 11
#define CBW32_PORT_C_LOW 12
#define CBW32_PORT_C_HIGH 13

/* Port directions. */
#define CBW32_OUTPUT 1
#define CBW32_INPUT 2

/* cbGetConfig: the board information type and its board-type item. */
#define CBW32_INFO_BOARD 2
#define CBW32_ITEM_BOARD_TYPE 1

#ifdef __cplusplus
extern "C" {
#endif

/* Reads one configuration item of a board (device number unused for board information). */
CBW32_API int cbGetConfig(int infoType, int boardNum, int devNum, int configItem, int* configVal);

/* Sets a port's direction. The port keeps its output value across a change. */
CBW32_API int cbDConfigPort(int boardNum, int portNum, int direction);

/* Sets a port's output value; the lines follow it while the port is an output. */
CBW32_API int cbDOut(int boardNum, int portNum, unsigned short dataValue);

/* Reads a port: the lines of an input port, the output value of an output port. */
CBW32_API int cbDIn(int boardNum, int portNum, unsigned short* dataValue);

#ifdef __cplusplus
}
#endif

#endif /* CBW32_CBW32_H */
