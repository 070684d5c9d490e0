// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog's frames and controls, laid out.
#include "dialogs/optionsframes.h"

#include "store/setextras.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QStringList kCompressionLevels{"Store", "Fastest", "Fast", "Normal", "Good", "Maximum"};

// The accessible name is the caption as read aloud: without its mnemonic marker.
void setAccessibleCaption(QWidget *widget, const QString &caption)
{
    widget->setAccessibleName(QString(caption).remove(u'&'));
}

template <typename W> W *named(W *widget, const char *objectName, const QString &caption)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    setAccessibleCaption(widget, caption);
    return widget;
}

QCheckBox *checkBox(QWidget *parent, const char *objectName, const QString &caption)
{
    return named(new QCheckBox(caption, parent), objectName, caption);
}

QPushButton *button(QWidget *parent, const char *objectName, const QString &caption, const QString &accessible)
{
    auto *result = named(new QPushButton(caption, parent), objectName, accessible);
    // Enter belongs to "&Save" wherever the focus is.
    result->setAutoDefault(false);
    return result;
}

QComboBox *list(QWidget *parent, const char *objectName, const QString &label, const QStringList &items)
{
    auto *combo = named(new QComboBox(parent), objectName, label);
    combo->addItems(items);
    return combo;
}

QLabel *panel(QWidget *parent, const char *objectName, const QString &accessible)
{
    auto *label = named(new QLabel(parent), objectName, accessible);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(32, u'x')));
    return label;
}

QPushButton *browseButton(QWidget *parent, const char *objectName, const QString &accessible)
{
    auto *result = button(parent, objectName, QStringLiteral("..."), accessible);
    result->setToolTip(accessible);
    result->setMaximumWidth(result->fontMetrics().horizontalAdvance(QStringLiteral("....")) * 2);
    return result;
}

QGroupBox *viewFrame(QDialog *dialog, OptionsControls &c)
{
    auto *frame = new QGroupBox(QStringLiteral("View"), dialog);
    auto *form = new QFormLayout(frame);
    c.fileList = list(frame, "Combo3", QStringLiteral("File list"), {"Large icon", "List", "Details"});
    c.sortBy = list(frame, "Combo4", QStringLiteral("Sort by"), {"Name", "Size", "Type", "Date"});
    c.fontSize = list(frame, "Combo5", QStringLiteral("Font size"), {"Small", "Medium", "Large"});
    form->addRow(QStringLiteral("File list"), c.fileList);
    form->addRow(QStringLiteral("Sort by"), c.sortBy);
    form->addRow(QStringLiteral("Font size"), c.fontSize);
    return frame;
}

QGroupBox *extraFrame(QDialog *dialog, OptionsControls &c)
{
    auto *frame = new QGroupBox(QStringLiteral("Extra"), dialog);
    auto *column = new QVBoxLayout(frame);
    c.layered = checkBox(frame, "Check8", QStringLiteral("Layered"));
    c.warnings = checkBox(frame, "Check5", QStringLiteral("&Warnings"));
    c.sound = checkBox(frame, "Check6", QStringLiteral("S&ound"));
    c.load = button(frame, "Command5", QStringLiteral("&Load"), QStringLiteral("&Load"));
    for (QWidget *w : {static_cast<QWidget *>(c.layered), static_cast<QWidget *>(c.warnings),
                       static_cast<QWidget *>(c.sound), static_cast<QWidget *>(c.load)})
        column->addWidget(w);
    return frame;
}

QGroupBox *tempFrame(QDialog *dialog, OptionsControls &c)
{
    c.tempFrame = new QGroupBox(QStringLiteral("Temporary drive"), dialog);
    auto *grid = new QGridLayout(c.tempFrame);
    c.tempFolder = named(new QLineEdit(c.tempFrame), "Drive1", QStringLiteral("Temporary drive"));
    c.tempFolder->setReadOnly(true);
    c.tempBrowse = browseButton(c.tempFrame, "tempFolderButton", QStringLiteral("Choose the temporary folder"));
    c.freeSpace = panel(c.tempFrame, "freeSpacePanel", QStringLiteral("Free space"));
    c.freeSpace->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(c.tempFolder, 0, 0);
    grid->addWidget(c.tempBrowse, 0, 1);
    grid->addWidget(c.freeSpace, 1, 0, 1, 2);
    return c.tempFrame;
}

QGroupBox *ripToFrame(QDialog *dialog, OptionsControls &c)
{
    auto *frame = new QGroupBox(QStringLiteral("Rip-to folder"), dialog);
    auto *column = new QVBoxLayout(frame);
    auto *row = new QHBoxLayout;
    column->addLayout(row);
    column->addStretch();
    c.ripToPanel = panel(frame, "riptoFolderPanel", QStringLiteral("Rip-to folder"));
    c.ripToBrowse = browseButton(frame, "Command2", QStringLiteral("Choose the rip-to folder"));
    row->addWidget(c.ripToPanel, 1);
    row->addWidget(c.ripToBrowse);
    return frame;
}

QWidget *sizeControl(QGroupBox *frame, OptionsControls &c)
{
    auto *box = new QWidget(frame);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    c.sizeCaption = panel(box, "sizeCaptionPanel", QStringLiteral("Size:"));
    c.sizeCaption->setMinimumWidth(c.sizeCaption->fontMetrics().horizontalAdvance(QStringLiteral("1 Max file  ")));
    c.sizeCaption->setAlignment(Qt::AlignCenter);
    c.size = named(new QScrollBar(Qt::Vertical, box), "VScroll1", QStringLiteral("Size:"));
    c.size->setRange(0, 199);
    // A tab stop like every other control; a click on it leaves the focus where it was.
    c.size->setFocusPolicy(Qt::TabFocus);
    // Up makes the volumes bigger, as the caption beside it reads.
    c.size->setInvertedAppearance(true);
    c.size->setInvertedControls(true);
    c.size->setFixedHeight(c.sizeCaption->sizeHint().height() * 2);
    c.estimate = panel(box, "estimatePanel", QStringLiteral("Estimated files"));
    c.estimate->setMinimumWidth(c.sizeCaption->minimumWidth());
    c.estimate->setAlignment(Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Size:"), box), 0, 0);
    grid->addWidget(c.sizeCaption, 0, 1);
    grid->addWidget(c.size, 0, 2, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Estimated files"), box), 1, 0);
    grid->addWidget(c.estimate, 1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

QGroupBox *archiveFrame(QDialog *dialog, OptionsControls &c)
{
    auto *frame = new QGroupBox(QStringLiteral("Rar/Ace"), dialog);
    auto *column = new QVBoxLayout(frame);
    auto *types = new QHBoxLayout;
    c.rar = named(new QRadioButton(QStringLiteral("&Rar"), frame), "Option1", QStringLiteral("Rar"));
    c.ace = named(new QRadioButton(QStringLiteral("&Ace"), frame), "Option2", QStringLiteral("Ace"));
    types->addWidget(c.rar);
    types->addWidget(c.ace);
    types->addStretch();
    column->addLayout(types);
    auto *form = new QFormLayout;
    c.archiveCompression = list(frame, "Combo1", QStringLiteral("Compression"), kCompressionLevels);
    form->addRow(QStringLiteral("Compression"), c.archiveCompression);
    column->addLayout(form);
    column->addWidget(sizeControl(frame, c));
    c.paths = checkBox(frame, "Check3", QStringLiteral("Include &paths"));
    c.zip = checkBox(frame, "Check2", QStringLiteral("Rar into &Zip"));
    column->addWidget(c.paths);
    column->addWidget(c.zip);
    return frame;
}

QGroupBox *zipFrame(QDialog *dialog, OptionsControls &c)
{
    c.zipFrame = new QGroupBox(QStringLiteral("Zip"), dialog);
    auto *column = new QVBoxLayout(c.zipFrame);
    c.dizNumber = checkBox(c.zipFrame, "Check7", QStringLiteral("File_id.diz &auto-number"));
    c.zipComment = checkBox(c.zipFrame, "Check4", QStringLiteral("Zip &comment"));
    auto *comment = new QHBoxLayout;
    c.commentBrowse = browseButton(c.zipFrame, "Command4", QStringLiteral("Choose the zip comment file"));
    c.commentPanel = panel(c.zipFrame, "commentPanel", QStringLiteral("Zip comment file"));
    comment->addWidget(c.commentBrowse);
    comment->addWidget(c.commentPanel, 1);
    auto *form = new QFormLayout;
    c.zipCompression = list(c.zipFrame, "Combo2", QStringLiteral("Compression"), kCompressionLevels);
    form->addRow(QStringLiteral("Compression"), c.zipCompression);
    QStringList percents;
    for (int percent : SetExtras::redundancyChoices())
        percents << QStringLiteral("%1%").arg(percent);
    c.redundancy = list(c.zipFrame, "par2Redundancy", QStringLiteral("PAR2 recovery"), percents);
    c.redundancy->setToolTip(QStringLiteral("Recovery data written when \"Write PAR2\" is on, in percent of the zips"));
    form->addRow(QStringLiteral("PAR2 reco&very"), c.redundancy);
    c.nfoFirst = checkBox(c.zipFrame, "Check1", QStringLiteral("&Nfo in 1st zip only"));
    column->addWidget(c.dizNumber);
    column->addWidget(c.zipComment);
    column->addLayout(comment);
    column->addLayout(form);
    column->addWidget(c.nfoFirst);
    column->addStretch();
    return c.zipFrame;
}

QLayout *bottomRow(QDialog *dialog, OptionsControls &c)
{
    auto *row = new QHBoxLayout;
    c.modePicture = named(new QLabel(dialog), "Picture1", QStringLiteral("Packing mode"));
    c.ok = button(dialog, "Command3", QStringLiteral("&OK"), QStringLiteral("&OK"));
    c.save = button(dialog, "Command1", QStringLiteral("&Save"), QStringLiteral("&Save"));
    c.save->setDefault(true);
    row->addWidget(c.modePicture);
    row->addStretch();
    row->addWidget(c.ok);
    row->addWidget(c.save);
    return row;
}

} // namespace

OptionsControls buildOptionsControls(QDialog *dialog)
{
    OptionsControls c;
    auto *grid = new QGridLayout(dialog);
    grid->addWidget(viewFrame(dialog, c), 0, 0);
    grid->addWidget(extraFrame(dialog, c), 0, 1);
    grid->addWidget(tempFrame(dialog, c), 1, 0);
    grid->addWidget(ripToFrame(dialog, c), 1, 1);
    grid->addWidget(archiveFrame(dialog, c), 2, 0);
    grid->addWidget(zipFrame(dialog, c), 2, 1);
    grid->addLayout(bottomRow(dialog, c), 3, 0, 1, 2);
    return c;
}

void captionZipBox(QCheckBox *zip, bool rar)
{
    const QString caption = rar ? QStringLiteral("Rar into &Zip") : QStringLiteral("Ace into &Zip");
    zip->setText(caption);
    setAccessibleCaption(zip, caption);
}
