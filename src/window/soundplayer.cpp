// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the start and completion sounds.
#include "window/soundplayer.h"

#include <QSoundEffect>

void SoundPlayer::playStart()
{
    play(m_start, "qrc:/app/sounds/start.wav");
}

void SoundPlayer::playCompletion()
{
    play(m_completion, "qrc:/app/sounds/done.wav");
}

void SoundPlayer::play(QSoundEffect *&effect, const char *resource)
{
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QString::fromLatin1(resource)));
    }
    effect->play();
}
