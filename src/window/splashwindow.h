// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the splash window, which doubles as the About box.
#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

/** A borderless window shaped like its picture, with the version label "v1.38". */
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

    /** The version label's text, also the "Version=" line of varko2k.ini. */
    static QString versionLabel();

    /**
     * Shows the window and waits about five seconds for its timer, letting
     * window events run meanwhile so everything keeps painting; `onShown`
     * runs once the picture is on screen (the start sound).
     */
    void showForAbout(const std::function<void()> &onShown);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QTimer *m_timer = nullptr;
};
