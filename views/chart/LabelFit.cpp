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

namespace {

// Drops the items at the indices, keeping the others in their order.
void Remove(DisplayList& list, const std::set<size_t>& dropped) {
    if (dropped.empty()) return;
    std::vector<DisplayItem> kept;
    kept.reserve(list.items.size() - dropped.size());
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (!dropped.count(i)) kept.push_back(std::move(list.items[i]));
    }
    list.items = std::move(kept);
}

// Texts that still overlap one already placed or leave the chart: the title first, then the
// label beside it, the texts of no row, and the rows' labels in their order.
std::set<size_t> Crowded(const DisplayList& list, const TextMetrics& metrics) {
    const QRect area(QPoint(0, 0), list.size);
    const auto rank = [](LabelGroup group) {
        switch (group) {
            case LabelGroup::Title:
                return 0;
            case LabelGroup::Phi:
                return 1;
            case LabelGroup::Other:
                return 2;
            default:
                return 3;
        }
    };
    std::vector<std::pair<int, size_t>> order;
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (const auto* text = std::get_if<DrawText>(&list.items[i]))
            order.emplace_back(rank(text->group), i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QRect> placed;
    std::set<size_t> dropped;
    for (const auto& [rankOf, i] : order) {
        const auto& text = std::get<DrawText>(list.items[i]);
        const QRect rect = LabelRect(text, metrics.size(text.text, text.font));
        const bool inside = !area.isValid() || area.contains(rect);
        const bool clear = std::none_of(placed.begin(), placed.end(),
                                        [&](const QRect& p) { return p.intersects(rect); });
        if (inside && clear) {
            placed.push_back(rect);
        } else {
            dropped.insert(i);
        }
    }
    return dropped;
}

}  // namespace

int FitLabels(DisplayList& list, const TextMetrics& metrics) {
    std::map<LabelGroup, std::vector<Label>> rows;
    std::vector<QRect> fixed;
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
            case LabelGroup::Other:
                fixed.push_back(LabelRect(*text, metrics.size(text->text, text->font)));
                break;
        }
    }

    // The title gives way to the phi label beside it, and stops at the chart's edge.
    if (title) {
        const QRect titleRect = LabelRect(*title, metrics.size(title->text, title->font));
        int room = list.size.isValid() ? list.size.width() - titleRect.left() : titleRect.width();
        if (phi) {
            const QRect phiRect = LabelRect(*phi, metrics.size(phi->text, phi->font));
            if (titleRect.right() + kGap * 4 >= phiRect.left())
                room = std::min(room, phiRect.left() - kGap * 4 - titleRect.left());
        }
        if (titleRect.width() > room)
            title->text = metrics.elide(title->text, title->font, std::max(0, room));
    }

    // A row's label gives way to a text of no row, then the row is thinned.
    std::set<size_t> dropped;
    for (auto& [group, row] : rows) {
        std::vector<Label> free;
        for (const Label& label : row) {
            const bool blocked = std::any_of(fixed.begin(), fixed.end(),
                                             [&](const QRect& f) { return Clash(label.rect, f); });
            if (blocked) {
                dropped.insert(label.item);
            } else {
                free.push_back(label);
            }
        }
        if (free.empty()) continue;
        const std::set<size_t> gone = Thin(free);
        dropped.insert(gone.begin(), gone.end());
    }
    Remove(list, dropped);

    const std::set<size_t> crowded = Crowded(list, metrics);
    Remove(list, crowded);
    return static_cast<int>(crowded.size());
}

}  // namespace velor
