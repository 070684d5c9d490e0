// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — showing one of the system's messages as a message box.
#pragma once

#include "engine/message.h"

class QWidget;

/** Shows `message` modal over `parent` with its text, title, icon and buttons; the button pressed. */
Message::Answer showMessage(QWidget *parent, const Message &message);
