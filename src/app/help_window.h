#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace kbs {

// The program's own help viewer, so that help needs no browser: the help page with its links,
// back and forward, and a find bar (Ctrl+F). The window's title is the page's title.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own that closes with its owner and stays usable beside it.
    explicit HelpWindow(QWidget* owner);

    // Shows the page at the section named by its anchor (the top for an empty one) and brings
    // the window to the front. False, with nothing shown, when the page cannot be read.
    bool showPage(const QString& path, const QString& section);

    QTextBrowser* browser() const { return browser_; }

private:
    void openFindBar();
    void find(bool backward);

    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QWidget* findBar_;
    QLineEdit* findBox_;
    QLabel* findResult_;
};

} // namespace kbs
