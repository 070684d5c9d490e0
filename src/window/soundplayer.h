// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the start and completion sounds.
#pragma once

#include <QObject>

class QSoundEffect;

/**
 * Plays the program's two short sounds without blocking. The effects are
 * made on first use; without an audio device nothing is heard and nothing fails.
 */
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void playStart();
    void playCompletion();

private:
    void play(QSoundEffect *&effect, const char *resource);

    QSoundEffect *m_start = nullptr;
    QSoundEffect *m_completion = nullptr;
};
