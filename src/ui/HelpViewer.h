#pragma once
// The help window. A help file is a resource bundle of HTML topics named by
// context number ("<base>.hlp") with a companion bundle holding the contents
// page ("<base>.cnt"). The bundles are read each time a page is shown and
// released at once, so a help file replaced on disk (a language change copies
// new ones into place) is picked up without reopening anything.

#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace ui {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static HelpViewer& Instance();
    // The help file; default: the program's name with ".hlp" in its directory.
    void SetHelpFile(const QString& hlpPath);
    QString HelpFile() const { return hlpPath_; }
    // Where a user's own copy of a help file is kept when the program's
    // folder cannot be written (an installed program): the configuration
    // folder. A help file there is read in preference to the program's.
    static QString UserHelpFile(const QString& fileName);

    // 0 shows the contents, anything else the topic of that context number.
    void ShowContext(int context);
    void ShowContents();
    void ShowTopic(int context);
    void ShowUsingHelp();

    // The page on display: "contents", "using", a context number, or "missing".
    QString CurrentPage() const { return current_; }
    QTextBrowser* Browser() const { return browser_; }

private:
    HelpViewer();
    void ShowPage(const QString& page, bool record);
    void GoBack();
    void GoForward();
    void Retranslate();
    void Present();

    QString hlpPath_;
    QString current_;
    QStringList back_;
    QStringList forward_;
    QTextBrowser* browser_;
    QPushButton* contentsButton_;
    QPushButton* backButton_;
    QPushButton* forwardButton_;
};

} // namespace ui
