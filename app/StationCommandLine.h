#pragma once
// The program's station options on the command line: a simulated instrument, a real
// acquisition board, a motion controller on a serial port.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <stdexcept>

#include "app/Application.h"
#include "document/GainRangeData.h"
#include "instrument/simulation/SourceOptions.h"

namespace velor {

struct StationCommandLine {
    QCommandLineOption simulate{
        QStringLiteral("simulate"),
        QStringLiteral("Run a station with a simulated instrument (acquisition board and motion "
                       "controller) measuring a simulated source.")};
    QCommandLineOption sourceDistance{
        QStringLiteral("source-distance"),
        QStringLiteral("With --simulate: where the simulated source sits, as an "
                       "aperture-source distance in cm (default 0, as a new document assumes)."),
        QStringLiteral("CM"), QStringLiteral("0")};
    QCommandLineOption ranges{
        QStringLiteral("ranges"),
        QStringLiteral("On a station with an instrument: the gain ranges a new measurement takes "
                       "each sweep over, 20 dB apart from the signal gain up (1 to 4, default 1)."),
        QStringLiteral("R"), QStringLiteral("1")};
    QCommandLineOption board{
        QStringLiteral("board"),
        QStringLiteral("Acquire through a real acquisition board on a 24-line digital I/O board: "
                       "comedi:/dev/comediN, the Comedi device N (0 to 99) set up for it "
                       "(see README.md). Not with --simulate."),
        QStringLiteral("BOARD")};
    QCommandLineOption motionPort{
        QStringLiteral("motion-port"),
        QStringLiteral("Drive the motion controller on the serial port DEVICE "
                       "(ttyS0, /dev/ttyUSB0, ...)."),
        QStringLiteral("DEVICE")};
    QCommandLineOption motionBaud{QStringLiteral("motion-baud"),
                                  QStringLiteral("With --motion-port: baud rate (default 9600)."),
                                  QStringLiteral("BAUD"), QStringLiteral("9600")};
    QCommandLineOption motionFormat{
        QStringLiteral("motion-format"),
        QStringLiteral("With --motion-port: data bits, parity (N, E, O, S, M) and stop "
                       "bits (default 8N1)."),
        QStringLiteral("FORMAT"), QStringLiteral("8N1")};
    QCommandLineOption motionFlow{
        QStringLiteral("motion-flow"),
        QStringLiteral("With --motion-port: flow control, none, hardware or software "
                       "(default none)."),
        QStringLiteral("FLOW"), QStringLiteral("none")};

    void AddTo(QCommandLineParser& parser) const {
        parser.addOption(simulate);
        sim::AddSourceOptions(parser, QStringLiteral("With --simulate: "));
        parser.addOption(sourceDistance);
        parser.addOption(ranges);
        parser.addOption(board);
        parser.addOption(motionPort);
        parser.addOption(motionBaud);
        parser.addOption(motionFormat);
        parser.addOption(motionFlow);
    }

    // The serial line the options describe; throws std::invalid_argument for a bad value.
    SerialSettings SerialFrom(const QCommandLineParser& parser) const {
        SerialSettings settings;
        settings.portName = parser.value(motionPort);
        bool ok = false;
        settings.baudRate = parser.value(motionBaud).toInt(&ok);
        if (!ok || settings.baudRate <= 0)
            throw std::invalid_argument("--motion-baud needs a positive number");
        const QString format = parser.value(motionFormat).toUpper();
        const QString parities = QStringLiteral("NEOSM");
        if (format.size() != 3 || format[0] < QLatin1Char('5') || format[0] > QLatin1Char('8') ||
            !parities.contains(format[1]) ||
            (format[2] != QLatin1Char('1') && format[2] != QLatin1Char('2'))) {
            throw std::invalid_argument(
                "--motion-format takes data bits 5-8, parity N/E/O/S/M, stop bits 1-2 (8N1)");
        }
        settings.dataBits = format[0].digitValue();
        settings.parity = static_cast<SerialParity>(parities.indexOf(format[1]));
        settings.stopBits = format[2].digitValue();
        const QString flow = parser.value(motionFlow).toLower();
        if (flow == QLatin1String("none")) {
            settings.flowControl = SerialFlowControl::None;
        } else if (flow == QLatin1String("hardware")) {
            settings.flowControl = SerialFlowControl::Hardware;
        } else if (flow == QLatin1String("software")) {
            settings.flowControl = SerialFlowControl::Software;
        } else {
            throw std::invalid_argument("--motion-flow is none, hardware or software");
        }
        return settings;
    }

    // The board number of a --board value; throws std::invalid_argument for anything else.
    static uint32_t ComediBoardFrom(const QString& value) {
        static const QRegularExpression kDevice(QStringLiteral("^comedi:/dev/comedi(0|[1-9][0-9]?)$"));
        const QRegularExpressionMatch match = kDevice.match(value);
        if (!match.hasMatch()) {
            throw std::invalid_argument("--board takes comedi:/dev/comediN, N from 0 to 99");
        }
        return match.captured(1).toUInt();
    }

    // The station the options ask for; throws std::invalid_argument for a bad value.
    StationOptions StationFrom(const QCommandLineParser& parser) const {
        StationOptions station;
        if (parser.isSet(board)) {
            if (parser.isSet(simulate)) {
                throw std::invalid_argument("--board and --simulate both choose the acquisition board");
            }
            station.comediBoard = ComediBoardFrom(parser.value(board));
        }
        if (parser.isSet(simulate)) {
            station.simulatedSource = sim::SourceFromOptions(parser);
            station.simulatedBoard.sweep = sim::SweepFromOptions(parser);
            const double distance = sim::NumberOption(parser, "source-distance");
            if (!(distance >= 0.0 && distance <= 100.0)) {
                throw std::invalid_argument("--source-distance must be from 0 to 100");
            }
            station.simulatedBoard.storedDistanceCm =
                static_cast<float>(distance) + kApertureOffset;
        }
        if (parser.isSet(motionPort)) station.motionPort = SerialFrom(parser);
        bool whole = false;
        station.gainRanges = parser.value(ranges).toInt(&whole);
        if (!whole || !IsValidGainRanges(station.gainRanges)) {
            throw std::invalid_argument("--ranges takes a whole number from 1 to 4");
        }
        return station;
    }
};

}  // namespace velor
