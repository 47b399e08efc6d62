#include "views/beamstats/ListFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>
#include <cstring>

namespace velor {
namespace {

const char kDefaultFace[] = "MS Sans Serif";

// Windows weights (100 … 900) and Qt's, pair by pair.
constexpr struct {
    int32_t windows;
    int qt;
} kWeights[] = {{100, QFont::Thin},   {200, QFont::ExtraLight}, {300, QFont::Light},
                {400, QFont::Normal}, {500, QFont::Medium},     {600, QFont::DemiBold},
                {700, QFont::Bold},   {800, QFont::ExtraBold},  {900, QFont::Black}};

int QtWeight(int32_t windows) {
    if (windows <= 0) return QFont::Normal;
    int best = QFont::Normal;
    int32_t distance = INT32_MAX;
    for (const auto& w : kWeights) {
        const int32_t d = std::abs(w.windows - windows);
        if (d < distance) {
            distance = d;
            best = w.qt;
        }
    }
    return best;
}

int32_t WindowsWeight(int qt) {
    int32_t best = 400;
    int distance = INT32_MAX;
    for (const auto& w : kWeights) {
        const int d = std::abs(w.qt - qt);
        if (d < distance) {
            distance = d;
            best = w.windows;
        }
    }
    return best;
}

}  // namespace

QFont FontFromLogFont(const LogFont& r) {
    const QString face = QString::fromLatin1(r.lfFaceName, static_cast<int>(qstrnlen(r.lfFaceName, sizeof r.lfFaceName)));
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!face.isEmpty() && face != QLatin1String(kDefaultFace)) {
        font.setFamily(face);
    }
    font.setStyleHint(QFont::SansSerif);
    if (r.lfHeight > 0) {
        font.setPointSize(r.lfHeight);
    } else if (r.lfHeight < 0) {
        font.setPixelSize(-r.lfHeight);
    }
    font.setWeight(QtWeight(r.lfWeight));
    font.setItalic(r.lfItalic != 0);
    font.setUnderline(r.lfUnderline != 0);
    font.setStrikeOut(r.lfStrikeOut != 0);
    return font;
}

LogFont LogFontFromFont(const QFont& font) {
    LogFont r;
    r.lfHeight = font.pointSize() > 0 ? font.pointSize() : -QFontInfo(font).pixelSize();
    r.lfWeight = WindowsWeight(font.weight());
    r.lfItalic = font.italic() ? 1 : 0;
    r.lfUnderline = font.underline() ? 1 : 0;
    r.lfStrikeOut = font.strikeOut() ? 1 : 0;
    std::memset(r.lfFaceName, 0, sizeof r.lfFaceName);
    const QByteArray face = font.family().toLatin1().left(static_cast<int>(sizeof r.lfFaceName) - 1);
    std::memcpy(r.lfFaceName, face.constData(), static_cast<size_t>(face.size()));
    return r;
}

}  // namespace velor
