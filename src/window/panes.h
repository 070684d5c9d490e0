// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's panes: the browser's folder tree and file list in their splitter, the queue below.
#pragma once

#include <QObject>

class QSplitter;
class QueuePane;
struct WindowLayout;

/**
 * The browser splitter (`browserSplitter`) and the queue pane, with the
 * views they hold and the two sizes the state file keeps: the folder
 * tree's width and the queue pane's height, both in twips.
 */
class Panes : public QObject
{
    Q_OBJECT

public:
    /** Builds both under `client`, the browser with stand-in views until the real ones come. */
    explicit Panes(QWidget *client);

    /** Where the file browser puts its views. */
    QWidget *browserHost() const;
    QWidget *folderTree() const { return m_folderTree; }
    QWidget *fileList() const { return m_fileList; }
    QWidget *queueView() const { return m_queueView; }
    /** The browser's views into the splitter at the same sizes; the ones they replace are deleted. */
    void setBrowserViews(QWidget *folderTree, QWidget *fileList);
    void setQueueView(QWidget *queueView);
    /** The folder tree, the file list and the queue in `points`. */
    void setFontSize(int points);

    int queueHeight() const { return m_queueHeight; }
    void setQueueHeight(int twips) { m_queueHeight = twips; }
    /** The folder tree's width. */
    int splitterPosition() const;
    /** The folder tree `pixels` wide, the file list the rest of the splitter's present width. */
    void splitAt(int pixels);
    int splitterWidth() const;
    /** Both panes where the layout puts them, and the sizes it settled on. */
    void place(const WindowLayout &layout);

signals:
    /** The queue pane's top edge was dragged: its height changed and the window lays out again. */
    void queueHeightChanged();

private:
    QSplitter *m_browserSplitter;
    QueuePane *m_queuePane;
    QWidget *m_folderTree = nullptr;
    QWidget *m_fileList = nullptr;
    QWidget *m_queueView = nullptr;
    int m_queueHeight = 1500;
};
