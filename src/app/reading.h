#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QTextEdit;
class QWidget;

namespace velkaram {

// What the reader is reading, as one block: a heading (the keyword, the
// article's title) and its paragraphs, right to left.
struct EntryText {
    QString heading;
    QStringList paragraphs;

    // Each on its own line.
    QString toPlainText() const;
    // For rich editors: right to left, in Arabic, the heading as a heading.
    QString toHtml() const;
};

// Puts the entry on the clipboard as plain text and as HTML.
void copyEntry(const EntryText &entry);

// Prints the entry on printer: the heading, the paragraphs, the program's
// name at the foot of each page.
void printEntry(const EntryText &entry, QPrinter &printer);
// Asks where to print with the system's print dialog, then prints.
void printEntryWithDialog(const EntryText &entry, QWidget *parent);

// The size of the reading text for the session, in percent of the design's.
class TextZoom : public QObject {
    Q_OBJECT

public:
    static constexpr int Smallest = 70;
    static constexpr int Largest = 250;

    // The one the reading windows share.
    static TextZoom &session();

    int percent() const { return percent_; }
    void setPercent(int percent);
    void zoomIn();
    void zoomOut();
    void reset() { setPercent(100); }

signals:
    void changed(int percent);

private:
    int percent_ = 100;
};

// Makes the widgets' text follow the session's zoom, from the fonts they
// have now, and gives the window the keys that change it: Ctrl+= (and
// Ctrl+Plus), Ctrl+-, Ctrl+0, and Ctrl with the mouse wheel over them.
void followZoom(QWidget *window, const QList<QWidget *> &widgets);

// The reading menu of a text box, on a right click: copy the selection,
// copy the whole entry, print it, and the zoom. Ctrl+Shift+C on the window
// copies the whole entry too. entry gives what the window shows.
void addReadingMenu(QWidget *window, const QList<QTextEdit *> &boxes, std::function<EntryText()> entry);

// Calls go(false) for Alt+Left and the mouse's back button anywhere on the
// window, go(true) for Alt+Right and its forward button.
void onBackAndForward(QWidget *window, std::function<void(bool forward)> go);

} // namespace velkaram
