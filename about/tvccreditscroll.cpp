// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvccreditscroll.h"

#include "about/tvctimer.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <limits>

namespace {

// Where a line of `lineWidth` pixels starts in a rectangle `width` wide.
qreal lineStart(TvcCreditScroll::TAlignment alignment, qreal width, qreal lineWidth)
{
    switch (alignment) {
    case TvcCreditScroll::taLeftJustify: return 0;
    case TvcCreditScroll::taRightJustify: return width - lineWidth;
    case TvcCreditScroll::taCenter: break;
    }
    return (width - lineWidth) / 2;
}

} // namespace

TvcCreditScroll::TvcCreditScroll(QWidget *owner)
    : QWidget(owner)
{
    // Every pixel comes from the composed frame: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FAlignment = taCenter;
    FColor = QColor(0, 0, 0);
    resize(90, 30);
    FFontColor = QColor(255, 0, 255);

    FTicker = new TvcTimer(this);
    FTicker->setInterval(50);
    FTicker->setOnTimer([this](QObject *sender) { TimerTick(sender); });

    setLines({QStringLiteral("Thwackle Controls"), QStringLiteral("By"), QStringLiteral("The Thwackle Team")});
    FStep = 1;
    FScrollOffset = 0;
}

TvcCreditScroll::~TvcCreditScroll()
{
    FLines.clear();
    // The ticker goes before the widget itself, so that no tick can find a
    // half-destroyed control.
    delete FTicker;
    FTicker = nullptr;
}

void TvcCreditScroll::setLines(const QStringList &lines)
{
    FLines = lines;
    LinesChanged();
}

int TvcCreditScroll::Interval() const
{
    return static_cast<int>(FTicker->Interval());
}

void TvcCreditScroll::setInterval(int interval)
{
    FTicker->setInterval(static_cast<std::uint32_t>(interval));
}

TThreadPriority TvcCreditScroll::Priority() const
{
    return FTicker->Priority();
}

void TvcCreditScroll::setPriority(TThreadPriority priority)
{
    FTicker->setPriority(priority);
}

void TvcCreditScroll::setStep(int step)
{
    if (step == FStep || step < 1)
        return;
    FStep = step;
    update();
}

void TvcCreditScroll::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    update();
}

void TvcCreditScroll::setColor(const QColor &color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TvcCreditScroll::setFontColor(const QColor &color)
{
    if (color == FFontColor)
        return;
    FFontColor = color;
    update();
}

void TvcCreditScroll::Restart()
{
    FScrollOffset = 0;
    update();
}

void TvcCreditScroll::TimerTick(QObject *)
{
    // The control's own Enabled, not one inherited from a disabled parent.
    if (testAttribute(Qt::WA_ForceDisabled))
        return;
    // Unpainted, the offset grows without bound; it stops at the largest
    // value rather than wrapping to a negative one, which would hide the
    // text for good and overflow the paint's arithmetic. Held there it lies
    // past the wrap point of any text short of some hundred million lines,
    // so the next paint starts the text again.
    FScrollOffset = FScrollOffset > std::numeric_limits<std::int32_t>::max() - FStep
        ? std::numeric_limits<std::int32_t>::max()
        : FScrollOffset + FStep;
    update();
}

void TvcCreditScroll::LinesChanged()
{
    update();
}

int TvcCreditScroll::LineHeight() const
{
    // The text height of a string is the font's cell height, whatever its
    // glyphs, so "0" measures any line. Ascent and descent are each rounded
    // up, as the classic layouts' text metrics were: 13 pixels for the
    // 11-pixel dialog font rather than the 12 a rounded sum would give.
    const QFontMetricsF metrics(font());
    return int(std::ceil(metrics.ascent())) + int(std::ceil(metrics.descent()));
}

QImage TvcCreditScroll::ComposeFrame()
{
    QImage frame(width() + 1, height() + 1, QImage::Format_RGB32);
    QPainter painter(&frame);
    painter.fillRect(rect(), FColor);
    painter.setFont(font());
    painter.setPen(FFontColor);

    const int lineHeight = LineHeight();
    const qint64 textHeight = qint64(lineHeight) * FLines.size();
    if (textHeight + height() < FScrollOffset)
        FScrollOffset = 0;

    // The rectangle stops one pixel short of the right and bottom edges.
    const QRect textRect(QPoint(0, height() - FScrollOffset), QPoint(width() - 2, height() - 2));
    if (!textRect.isValid() || lineHeight <= 0)
        return frame;
    painter.setClipRect(textRect);

    // Lines break only at the line ends; each sits in its own cell of the
    // measured height so that the spacing is exactly that height. Qt expands
    // tabs in left-aligned text only, so every line is laid out flush left,
    // measured, and then moved to where its alignment puts it.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::TextDontClip;
    for (qsizetype i = 0; i < FLines.size(); ++i) {
        const qint64 top = textRect.top() + qint64(lineHeight) * i;
        if (top > textRect.bottom())
            break;
        // Skipping lines wholly above the clip saves time, not pixels.
        if (top + 2 * lineHeight < 0)
            continue;
        QRectF cell(textRect.left(), qreal(top), textRect.width(), lineHeight);
        const qreal lineWidth = painter.boundingRect(cell, flags, FLines.at(i)).width();
        cell.translate(lineStart(FAlignment, cell.width(), lineWidth), 0);
        painter.drawText(cell, flags, FLines.at(i));
    }
    return frame;
}

void TvcCreditScroll::paintEvent(QPaintEvent *)
{
    {
        const QImage frame = ComposeFrame();
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), frame, rect());
    }
    if (FOnPaint)
        FOnPaint(this);
}

void TvcCreditScroll::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (FOnMouseEnter)
        FOnMouseEnter(this);
}

void TvcCreditScroll::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (FOnMouseLeave)
        FOnMouseLeave(this);
}
