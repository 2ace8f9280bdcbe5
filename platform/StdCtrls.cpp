#include "platform/StdCtrls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/qt/ControlEvents.h"
#include "platform/qt/QtSupport.h"

namespace {

QPlainTextEdit* EditOf(const TMemo* memo) {
    return static_cast<QPlainTextEdit*>(memo->Widget());
}

// Qt keeps paragraph breaks as U+2029 in raw and selected text; callers want LF.
std::string PlainUtf8(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text.toStdString();
}

} // namespace

// --- TMemo -----------------------------------------------------------------------------------

TMemo::TMemo(TWinControl* parent)
    : TWinControl(parent, new QPlainTextEdit(ParentWidgetFor(parent))) {
    QPlainTextEdit* edit = EditOf(this);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Like the system's edit box: wrap between words, and inside a word longer than a line.
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The pointer is over the viewport, not the frame around it.
    ControlEvents::RedirectMouse(this, edit->viewport());
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
}

void TMemo::Clear() {
    EditOf(this)->clear();
    entryCount_ = 0;
}

void TMemo::Append(std::string_view entry) {
    QPlainTextEdit* edit = EditOf(this);
    QTextCursor cursor(edit->document());
    cursor.movePosition(QTextCursor::End);
    // The first entry goes into the empty document's one block; an empty first entry must
    // still count as a line, so the block count cannot tell.
    if (entryCount_ > 0)
        cursor.insertBlock();
    cursor.insertText(QStr(entry));
    ++entryCount_;
}

void TMemo::SetEntries(std::span<const std::string_view> entries) {
    std::size_t bytes = entries.size();
    for (std::string_view e : entries)
        bytes += e.size();
    std::string all;
    all.reserve(bytes + bytes / 8);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            all.push_back('\n');
        AppendDisplayUtf8(all, entries[i]);
    }
    EditOf(this)->setPlainText(QString::fromUtf8(all.data(), static_cast<qsizetype>(all.size())));
    entryCount_ = entries.size();
}

std::string TMemo::Text() const {
    return PlainUtf8(EditOf(this)->document()->toRawText());
}

void TMemo::SelectAll() {
    EditOf(this)->selectAll();
}

std::string TMemo::SelText() const {
    return PlainUtf8(EditOf(this)->textCursor().selectedText());
}

void TMemo::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    const bool vertical = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
    const bool horizontal = style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
    QPlainTextEdit* edit = EditOf(this);
    edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    EditOf(this)->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TMemo::ReadOnly() const {
    return EditOf(this)->isReadOnly();
}

void TMemo::SetReadOnly(bool value) {
    EditOf(this)->setReadOnly(value);
}

// --- TButton ---------------------------------------------------------------------------------

TButton::TButton(TWinControl* parent)
    : TWinControl(parent, new QPushButton(ParentWidgetFor(parent))) {
    auto* button = static_cast<QPushButton*>(Widget());
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { GuardEvent([this] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

void TButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    // "&" marks the access key in Qt as on Windows.
    static_cast<QPushButton*>(Widget())->setText(QStr(caption_));
}

void TButton::Click() {
    TControl::Click();
}

// --- TLabel ----------------------------------------------------------------------------------

TLabel::TLabel(TWinControl* parent) : TControl(parent, new QLabel(ParentWidgetFor(parent))) {
    static_cast<QLabel*>(Widget())->setTextFormat(Qt::PlainText);
    SetBounds(0, 0, 0, 0);
}

void TLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    const QString text = QStr(caption_);
    static_cast<QLabel*>(Widget())->setText(text);
    if (!autoSize_)
        return;
    // Sized to its text, as an auto-sized label is.
    const QFontMetrics fm(Font().ToQFont());
    SetBounds(Left(), Top(), fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}
