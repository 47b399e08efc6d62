#include "views/chart/LabelFit.h"

#include <QRect>
#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace velor {
namespace {

// Labels closer than this run together for the eye.
constexpr int kGap = 2;

struct Label {
    size_t item;  // index into the list
    QRect rect;
    QString text;
};

bool Clash(const QRect& a, const QRect& b) { return a.adjusted(-kGap, -kGap, kGap, kGap).intersects(b); }

bool AnyClash(const std::vector<const Label*>& labels) {
    for (size_t i = 0; i < labels.size(); ++i) {
        for (size_t j = i + 1; j < labels.size(); ++j) {
            if (Clash(labels[i]->rect, labels[j]->rect)) return true;
        }
    }
    return false;
}

bool ClashesWith(const Label& label, const std::vector<const Label*>& kept) {
    return std::any_of(kept.begin(), kept.end(), [&](const Label* k) { return Clash(label.rect, k->rect); });
}

// The labels of a row to leave out: the fewest, taking every k-th about the anchor.
std::set<size_t> Thin(std::vector<Label> row) {
    // In their order along the row, whichever way it runs.
    const auto [minX, maxX] = std::minmax_element(row.begin(), row.end(), [](const Label& a, const Label& b) {
        return a.rect.center().x() < b.rect.center().x();
    });
    const auto [minY, maxY] = std::minmax_element(row.begin(), row.end(), [](const Label& a, const Label& b) {
        return a.rect.center().y() < b.rect.center().y();
    });
    const bool alongX = maxX->rect.center().x() - minX->rect.center().x() >= maxY->rect.center().y() - minY->rect.center().y();
    std::stable_sort(row.begin(), row.end(), [alongX](const Label& a, const Label& b) {
        return alongX ? a.rect.center().x() < b.rect.center().x() : a.rect.center().y() < b.rect.center().y();
    });

    std::vector<const Label*> all;
    for (const Label& l : row) all.push_back(&l);
    if (!AnyClash(all)) return {};

    const int n = static_cast<int>(row.size());
    int anchor = n - 1;
    for (int i = 0; i < n; ++i) {
        if (row[i].text == QLatin1String("0") || row[i].text == QStringLiteral("0\u00B0")) anchor = i;
    }
    for (int k = 2; k <= n; ++k) {
        std::vector<const Label*> kept;
        for (int i = 0; i < n; ++i) {
            if (((i - anchor) % k + k) % k == 0) kept.push_back(&row[i]);
        }
        if (AnyClash(kept)) continue;
        for (const int end : {0, n - 1}) {
            const Label& candidate = row[end];
            if (std::find(kept.begin(), kept.end(), &candidate) == kept.end() && !ClashesWith(candidate, kept)) {
                kept.push_back(&candidate);
            }
        }
        std::set<size_t> dropped;
        for (const Label& l : row) {
            if (std::find(kept.begin(), kept.end(), &l) == kept.end()) dropped.insert(l.item);
        }
        return dropped;
    }
    return {};
}

}  // namespace

QRect LabelRect(const DrawText& t, QSize size) {
    int x = t.anchor.x();
    if (t.h == HAlign::Center) x -= size.width() / 2;
    if (t.h == HAlign::Right) x -= size.width();
    const int y = t.v == VAlign::Top ? t.anchor.y() : t.anchor.y() - size.height();
    return QRect(x, y, size.width(), size.height());
}

void FitLabels(DisplayList& list, const TextMetrics& metrics) {
    std::map<LabelGroup, std::vector<Label>> rows;
    DrawText* title = nullptr;
    const DrawText* phi = nullptr;
    for (size_t i = 0; i < list.items.size(); ++i) {
        auto* text = std::get_if<DrawText>(&list.items[i]);
        if (!text) continue;
        switch (text->group) {
            case LabelGroup::Angle:
            case LabelGroup::Amplitude:
                rows[text->group].push_back({i, LabelRect(*text, metrics.size(text->text, text->font)), text->text});
                break;
            case LabelGroup::Title: title = text; break;
            case LabelGroup::Phi: phi = text; break;
            case LabelGroup::Other: break;
        }
    }

    // The title gives way to the phi label beside it.
    if (title && phi) {
        const QRect phiRect = LabelRect(*phi, metrics.size(phi->text, phi->font));
        const QRect titleRect = LabelRect(*title, metrics.size(title->text, title->font));
        if (titleRect.right() + kGap * 4 >= phiRect.left()) {
            const int room = std::max(0, phiRect.left() - kGap * 4 - titleRect.left());
            title->text = metrics.elide(title->text, title->font, room);
        }
    }

    std::set<size_t> dropped;
    for (auto& [group, row] : rows) {
        const std::set<size_t> gone = Thin(row);
        dropped.insert(gone.begin(), gone.end());
    }
    if (dropped.empty()) return;
    std::vector<DisplayItem> kept;
    kept.reserve(list.items.size() - dropped.size());
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (!dropped.count(i)) kept.push_back(std::move(list.items[i]));
    }
    list.items = std::move(kept);
}

}  // namespace velor
