// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a desktop file manager in the journeys: a window whose one
// item, when dragged, carries the files named on the command line the way
// file managers offer them (a URI list and the copied-files marker).
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class FileItem : public QLabel
{
public:
    FileItem(QStringList paths, bool markerOnly)
        : QLabel(QStringLiteral("%1 files").arg(paths.size()))
        , m_paths(std::move(paths))
        , m_markerOnly(markerOnly)
    {
        setObjectName(QStringLiteral("fileItem"));
        setAccessibleName(QStringLiteral("Drag these files"));
        setAlignment(Qt::AlignCenter);
        setMinimumSize(240, 120);
        setWindowTitle(QStringLiteral("File source"));
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { m_pressAt = event->position().toPoint(); }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton)
            || (event->position().toPoint() - m_pressAt).manhattanLength() < QApplication::startDragDistance())
            return;
        auto *drag = new QDrag(this);
        drag->setMimeData(mimeData());
        drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    }

private:
    QMimeData *mimeData() const
    {
        auto *data = new QMimeData;
        QByteArray marker = "copy";
        QList<QUrl> urls;
        for (const QString &path : m_paths) {
            urls << QUrl::fromLocalFile(path);
            marker += '\n' + urls.last().toEncoded();
        }
        if (!m_markerOnly)
            data->setUrls(urls);
        data->setData(QStringLiteral("x-special/gnome-copied-files"), marker);
        return data;
    }

    QStringList m_paths;
    bool m_markerOnly;
    QPoint m_pressAt;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList paths = app.arguments().mid(1);
    const bool markerOnly = paths.removeAll(QStringLiteral("--marker-only")) > 0;
    FileItem item(paths, markerOnly);
    item.show();
    return app.exec();
}
