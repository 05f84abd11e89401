#include "app/help_window.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kbs {

namespace {
constexpr QSize kFirstSize(720, 760); // pixels; the user sizes it from then on

QToolButton* newToolButton(const QString& name, const QString& text, QStyle::StandardPixmap icon,
                           QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}
} // namespace

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)),
      back_(newToolButton(QStringLiteral("helpBack"), QStringLiteral("戻る"), QStyle::SP_ArrowBack, this)),
      forward_(newToolButton(QStringLiteral("helpForward"), QStringLiteral("進む"), QStyle::SP_ArrowForward,
                             this)),
      findBar_(new QWidget(this)), findBox_(new QLineEdit(findBar_)), findResult_(new QLabel(findBar_))
{
    setObjectName(QStringLiteral("helpWindow"));
    resize(kFirstSize);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    // Links inside the page are followed here; a page elsewhere goes nowhere.
    browser_->setOpenExternalLinks(false);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle()); });

    auto* findButton = newToolButton(QStringLiteral("helpFind"), QStringLiteral("検索"),
                                     QStyle::SP_FileDialogContentsView, this);
    connect(findButton, &QToolButton::clicked, this, &HelpWindow::openFindBar);
    auto* tools = new QHBoxLayout;
    tools->addWidget(back_);
    tools->addWidget(forward_);
    tools->addStretch();
    tools->addWidget(findButton);

    findBox_->setObjectName(QStringLiteral("helpFindText"));
    findBox_->setClearButtonEnabled(true);
    findResult_->setObjectName(QStringLiteral("helpFindResult"));
    auto* next = new QPushButton(QStringLiteral("次を検索"), findBar_);
    auto* previous = new QPushButton(QStringLiteral("前を検索"), findBar_);
    auto* closeBar = new QPushButton(QStringLiteral("閉じる"), findBar_);
    for (QPushButton* button : {next, previous, closeBar})
        button->setAutoDefault(false);
    connect(findBox_, &QLineEdit::returnPressed, this, [this] { find(false); });
    connect(findBox_, &QLineEdit::textChanged, findResult_, &QLabel::clear);
    connect(next, &QPushButton::clicked, this, [this] { find(false); });
    connect(previous, &QPushButton::clicked, this, [this] { find(true); });
    connect(closeBar, &QPushButton::clicked, findBar_, &QWidget::hide);
    auto* findRow = new QHBoxLayout(findBar_);
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(new QLabel(QStringLiteral("検索する文字列："), findBar_));
    findRow->addWidget(findBox_, 1);
    findRow->addWidget(next);
    findRow->addWidget(previous);
    findRow->addWidget(findResult_);
    findRow->addWidget(closeBar);
    findBar_->hide();

    const auto addKeys = [this](const QList<QKeySequence>& keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKeys(QKeySequence::keyBindings(QKeySequence::Find), &HelpWindow::openFindBar);
    addKeys(QKeySequence::keyBindings(QKeySequence::FindNext), [this] { find(false); });
    addKeys(QKeySequence::keyBindings(QKeySequence::FindPrevious), [this] { find(true); });
    addKeys({QKeySequence(Qt::Key_Escape)}, [this] {
        if (findBar_->isVisible())
            findBar_->hide();
        else
            close();
    });
    addKeys(QKeySequence::keyBindings(QKeySequence::Back), [this] { browser_->backward(); });
    addKeys(QKeySequence::keyBindings(QKeySequence::Forward), [this] { browser_->forward(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(browser_, 1);
    layout->addWidget(findBar_);
}

bool HelpWindow::showPage(const QString& path, const QString& section)
{
    // Read first: QTextBrowser shows an empty page for a file it cannot read.
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly) || page.read(1).isEmpty())
        return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!section.isEmpty())
        url.setFragment(section);
    if (url == browser_->source())
        browser_->scrollToAnchor(section);
    else
        browser_->setSource(url);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::openFindBar()
{
    findBar_->show();
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

// Finds the text from the cursor on and wraps round the page once.
void HelpWindow::find(bool backward)
{
    const QString text = findBox_->text();
    if (text.isEmpty()) {
        openFindBar();
        return;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        QTextCursor cursor = browser_->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(cursor);
        found = browser_->find(text, flags);
    }
    findResult_->setText(found ? QString() : QStringLiteral("見つかりません"));
}

} // namespace kbs
