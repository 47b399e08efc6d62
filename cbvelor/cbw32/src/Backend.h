#pragma once
// The four driver calls as an implementation answers them, and the one in use.

namespace cbw32 {

class Backend {
public:
    virtual ~Backend() = default;
    virtual int GetConfig(int infoType, int boardNum, int devNum, int configItem,
                          int* configVal) = 0;
    virtual int ConfigPort(int boardNum, int portNum, int direction) = 0;
    virtual int Out(int boardNum, int portNum, unsigned short value) = 0;
    virtual int In(int boardNum, int portNum, unsigned short* value) = 0;
};

Backend& ActiveBackend();

}  // namespace cbw32
