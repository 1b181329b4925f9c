// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/tvctimer.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <cstdint>

// Film-style rolling credits: the lines enter at the bottom edge, move up
// by Step pixels at every tick of an owned TvcTimer, leave at the top edge
// and start again from below. The scroll runs for the control's whole life,
// shown or not; a hidden control only counts the offset up, and its next
// paint either shows the text where it has got to or starts it again.
class TvcCreditScroll : public QWidget
{
    Q_OBJECT

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };

    explicit TvcCreditScroll(QWidget *owner = nullptr);
    ~TvcCreditScroll() override;

    const QStringList &Lines() const { return FLines; }
    // Copies the lines; repaints even when they are the ones already shown.
    void setLines(const QStringList &lines);

    // The ticker's own properties. Interval is signed here: -1 is the
    // endless wait.
    int Interval() const;
    void setInterval(int interval);
    TThreadPriority Priority() const;
    void setPriority(TThreadPriority priority);

    int Step() const { return FStep; }
    // Values below 1 are ignored.
    void setStep(int step);

    int ScrollOffset() const { return FScrollOffset; }

    TAlignment Alignment() const { return FAlignment; }
    void setAlignment(TAlignment alignment);
    QColor Color() const { return FColor; }
    void setColor(const QColor &color);
    QColor FontColor() const { return FFontColor; }
    void setFontColor(const QColor &color);

    TvcTimer *Ticker() const { return FTicker; }

    void setOnPaint(TNotifyEvent handler) { FOnPaint = std::move(handler); }
    void setOnMouseEnter(TNotifyEvent handler) { FOnMouseEnter = std::move(handler); }
    void setOnMouseLeave(TNotifyEvent handler) { FOnMouseLeave = std::move(handler); }

    // Starts the text again from below the bottom edge.
    virtual void Restart();

    // One frame as the control would show it now, with a wrap of the offset
    // made on the way; the image is one pixel wider and taller than the
    // control, like the bitmap it is composed in.
    QImage ComposeFrame();

    // Text height of "0" in the control's font: the height of one line.
    int LineHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void TimerTick(QObject *sender);
    void LinesChanged();

    QStringList FLines;
    TvcTimer *FTicker = nullptr;
    std::int32_t FScrollOffset = 0;
    std::int32_t FStep = 1;
    TNotifyEvent FOnPaint;
    TNotifyEvent FOnMouseEnter;
    TNotifyEvent FOnMouseLeave;
    TAlignment FAlignment = taCenter;
    QColor FColor;
    QColor FFontColor;
};
