// The station options as the program reads them: the acquisition board on Comedi, and the
// simulated source's numbers, which must describe a source (no infinities).

#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <optional>
#include <stdexcept>

#include "app/StationCommandLine.h"

namespace velor::test {
namespace {

TEST(StationCommandLine, BoardAndSourceOptionsAreCheckedBeforeAStationIsMade) {
    const struct {
        QStringList arguments;
        bool accepted;
        std::optional<uint32_t> comediBoard;
        int gainRanges = 1;
    } cases[] = {
        {{"--board", "comedi:/dev/comedi0"}, true, 0u},
        {{"--board", "comedi:/dev/comedi42", "--motion-port", "ttyS0"}, true, 42u},
        {{"--board", "comedi:/dev/comedi100"}, false, {}},  // the board library's numbers end at 99
        {{"--board", "comedi:/dev/comedi07"}, false, {}},
        {{"--board", "/dev/comedi0"}, false, {}},
        {{"--board", "comedi:/dev/comedi1", "--simulate"}, false, {}},
        {{"--simulate", "--peak", "1e6"}, true, {}},
        {{"--simulate", "--peak", "inf"}, false, {}},
        {{"--simulate", "--noise", "nan"}, false, {}},
        {{"--simulate", "--mfd", "-inf"}, false, {}},
        {{"--simulate", "--seed", "-1"}, false, {}},
        {{"--simulate", "--seed", "4294967296"}, false, {}},
        {{"--simulate", "--ranges", "4"}, true, {}, 4},
        {{"--simulate", "--ranges", "0"}, false, {}},
        {{"--simulate", "--ranges", "5"}, false, {}},
        {{"--simulate", "--ranges", "2.5"}, false, {}},
    };
    for (const auto& c : cases) {
        StationCommandLine line;
        QCommandLineParser parser;
        line.AddTo(parser);
        ASSERT_TRUE(parser.parse(QStringList{"Velor32"} + c.arguments)) << c.arguments.join(' ').toStdString();
        std::optional<StationOptions> station;
        try {
            station = line.StationFrom(parser);
        } catch (const std::invalid_argument&) {
        }
        EXPECT_EQ(station.has_value(), c.accepted) << c.arguments.join(' ').toStdString();
        if (station) {
            EXPECT_EQ(station->comediBoard, c.comediBoard) << c.arguments.join(' ').toStdString();
            EXPECT_EQ(station->gainRanges, c.gainRanges) << c.arguments.join(' ').toStdString();
        }
    }
}

}  // namespace
}  // namespace velor::test
