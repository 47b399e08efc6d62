#pragma once
// What every chart at every size owes its reader: no drawn text over another, none leaving
// the chart. Each problem comes back as a line naming the texts.

#include <QRect>
#include <string>
#include <vector>

#include "views/chart/DisplayList.h"
#include "views/chart/LabelFit.h"

namespace velor::test {

inline std::vector<std::string> TextProblems(const DisplayList& list, const TextMetrics& metrics) {
    std::vector<std::string> problems;
    std::vector<std::pair<QRect, QString>> texts;
    for (const DrawText& t : list.All<DrawText>())
        texts.emplace_back(LabelRect(t, metrics.size(t.text, t.font)), t.text);
    const QRect chart(QPoint(0, 0), list.size);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!chart.contains(texts[i].first))
            problems.push_back("outside: " + texts[i].second.toStdString());
        for (size_t j = i + 1; j < texts.size(); ++j) {
            if (texts[i].first.intersects(texts[j].first)) {
                problems.push_back("over: " + texts[i].second.toStdString() + " / " +
                                   texts[j].second.toStdString());
            }
        }
    }
    return problems;
}

// The sizes users give windows: a small one, the size tiling gives, and whole screens.
inline const QSize kEverySize[] = {{200, 150}, {320, 240}, {640, 480}, {1280, 800}, {1920, 1080}};

}  // namespace velor::test
