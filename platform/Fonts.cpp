// Fonts: the table of faces that stand in for the Windows ones, and TFont, resolved into a Qt
// font when drawn.

#include "platform/Graphics.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

#include "platform/qt/Native.h"

namespace {

std::string g_tahomaFamily; // set once the wine face is registered

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Windows' MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c) {
    const long long n = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(n >= 0 ? (n + half) / c : (n - half) / c);
}

} // namespace

bool IsSymbolFont(std::string_view windowsName) {
    return Lower(windowsName) == "symbol";
}

void RegisterApplicationFonts() {
    static bool registered = false;
    if (registered || !QGuiApplication::instance())
        return;
    registered = true;
    // Only the regular face: the bold file of the same package draws strokes as thin as the
    // regular one at the sizes the window uses, so bold text looked regular. Without a bold
    // face of its own the family is emboldened from the regular one, which shows the weight.
    const QString file = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (!QFile::exists(file))
        return;
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
    if (!families.isEmpty())
        g_tahomaFamily = families.front().toStdString();
}

std::string SubstituteFontFamily(std::string_view windowsName) {
    const std::string key = Lower(windowsName);
    if (key == "tahoma") {
        RegisterApplicationFonts();
        return g_tahomaFamily.empty() ? "DejaVu Sans" : g_tahomaFamily;
    }
    if (key == "courier new")
        return "Liberation Mono";
    if (key == "arial")
        return "Liberation Sans";
    if (key == "fixedsys")
        return "DejaVu Sans Mono";
    if (key == "symbol")
        return "DejaVu Sans";
    return std::string(windowsName);
}

// --- TFont -----------------------------------------------------------------------------------

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::SetName(std::string_view name) {
    if (name_ == name)
        return;
    name_ = std::string(name);
    Changed();
}

void TFont::SetHeight(int height) {
    if (height_ == height)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, 96);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style_ == style)
        return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color_ == color)
        return;
    color_ = color;
    // The Qt font has no colour: the editor switches colours per run, so keep it.
    if (OnChange)
        OnChange(this);
}

void TFont::SetCharset(int charset) {
    if (charset_ == charset)
        return;
    charset_ = charset;
    Changed();
}

// The angle is applied when drawing, so the native font stays.
void TFont::SetOrientation(int tenths) {
    if (orientation_ == tenths)
        return;
    orientation_ = tenths;
    if (OnChange)
        OnChange(this);
}

void TFont::Assign(const TFont& other) {
    if (&other == this)
        return;
    if (name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
        color_ == other.color_ && charset_ == other.charset_ && orientation_ == other.orientation_)
        return;
    const bool sameFace = name_ == other.name_ && height_ == other.height_ &&
                          style_ == other.style_ && charset_ == other.charset_;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    orientation_ = other.orientation_;
    if (sameFace) { // colour or angle only: the native font stays
        if (OnChange)
            OnChange(this);
        return;
    }
    Changed();
}

void TFont::Changed() {
    native_.reset();
    if (OnChange)
        OnChange(this);
}

QFont TNativeFont::Of(const TFont& font) {
    if (font.native_)
        return font.native_->font;
    QFont f(QString::fromStdString(SubstituteFontFamily(font.name_)));
    f.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    // GDI neither kerns TextOut nor lets widths depend on sub-pixel positions.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setBold(font.style_.Contains(TFontStyle::fsBold));
    f.setItalic(font.style_.Contains(TFontStyle::fsItalic));
    f.setUnderline(font.style_.Contains(TFontStyle::fsUnderline));
    f.setStrikeOut(font.style_.Contains(TFontStyle::fsStrikeOut));
    if (font.height_ < 0) {
        f.setPixelSize(-font.height_);
    } else if (font.height_ > 0) {
        // A positive height is the whole cell (ascent + descent); scale from a probe.
        QFont probe = f;
        probe.setPixelSize(100);
        const qreal cell = QFontMetricsF(probe).ascent() + QFontMetricsF(probe).descent();
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.height_ * 100.0 / cell))));
    } else {
        f.setPixelSize(13); // the system's default text height
    }
    font.native_ = std::make_unique<TNativeFont>(TNativeFont{f});
    return f;
}

bool TFont::IsFixedPitch() const {
    const QFontMetrics fm(QFontOf(*this));
    return fm.horizontalAdvance(QLatin1Char('i')) == fm.horizontalAdvance(QLatin1Char('W')) &&
           fm.horizontalAdvance(QLatin1Char('W')) == fm.horizontalAdvance(QLatin1Char(' '));
}
