// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog's frames and controls, laid out.
#pragma once

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

/** Every control of the options dialog; all are children of the dialog. */
struct OptionsControls
{
    // "View"
    QComboBox *fileList = nullptr; // Combo3
    QComboBox *sortBy = nullptr; // Combo4
    QComboBox *fontSize = nullptr; // Combo5
    // "Extra"
    QCheckBox *layered = nullptr; // Check8
    QCheckBox *warnings = nullptr; // Check5
    QCheckBox *sound = nullptr; // Check6
    QPushButton *load = nullptr; // Command5
    // "Temporary drive"
    QGroupBox *tempFrame = nullptr;
    QLineEdit *tempFolder = nullptr; // Drive1
    QPushButton *tempBrowse = nullptr;
    QLabel *freeSpace = nullptr;
    // "Rip-to folder"
    QLabel *ripToPanel = nullptr;
    QPushButton *ripToBrowse = nullptr; // Command2
    // "Rar/Ace"
    QRadioButton *rar = nullptr; // Option1
    QRadioButton *ace = nullptr; // Option2
    QComboBox *archiveCompression = nullptr; // Combo1
    QScrollBar *size = nullptr; // VScroll1
    QLabel *sizeCaption = nullptr;
    QLabel *estimate = nullptr;
    QCheckBox *paths = nullptr; // Check3
    QCheckBox *zip = nullptr; // Check2
    // "Zip"
    QGroupBox *zipFrame = nullptr;
    QCheckBox *dizNumber = nullptr; // Check7
    QCheckBox *zipComment = nullptr; // Check4
    QPushButton *commentBrowse = nullptr; // Command4
    QLabel *commentPanel = nullptr;
    QComboBox *zipCompression = nullptr; // Combo2
    QCheckBox *nfoFirst = nullptr; // Check1
    QComboBox *redundancy = nullptr; // PAR2 recovery data, in percent of the zips
    // below the frames
    QLabel *modePicture = nullptr; // Picture1
    QPushButton *ok = nullptr; // Command3
    QPushButton *save = nullptr; // Command1
};

/**
 * Builds the frames into `dialog` in reading order (frames top to bottom,
 * left to right), which is also the Tab order, with their list items filled.
 */
OptionsControls buildOptionsControls(QDialog *dialog);

/** Captions the zip box for the archive type: "Rar into &Zip" or "Ace into &Zip". */
void captionZipBox(QCheckBox *zip, bool rar);
