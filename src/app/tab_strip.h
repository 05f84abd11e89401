#pragma once

#include <QIcon>
#include <QWidget>
#include <memory>
#include <vector>

namespace kbs {

class TabRows;

// The main window's tab strip: tabs with icons in as many rows as their labels need, the
// row of the selected tab next to the page, and the frame of the page area below them.
// QTabBar has no rows, so the strip is drawn here with the style's tab primitives.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);
    ~TabStrip() override;

    void addTab(const QIcon& icon, const QString& text);
    int count() const { return static_cast<int>(tabs_.size()); }
    QString tabText(int index) const { return tabs_.at(static_cast<std::size_t>(index)).text; }
    QIcon tabIcon(int index) const { return tabs_.at(static_cast<std::size_t>(index)).icon; }

    int currentIndex() const { return current_; }
    // Selects a tab from code; tabActivated is not emitted.
    void setCurrentIndex(int index);

    int rowCount() const;
    // The row a tab is drawn in, counted from the top.
    int displayRowOf(int index) const;
    QRect tabRect(int index) const;
    int tabAt(const QPoint& position) const;

signals:
    // The user chose another tab with the mouse or the keyboard.
    void tabActivated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Tab {
        QIcon icon;
        QString text;
        QRect rect;
    };

    QSize naturalTabSize(const Tab& tab) const;
    void relayout();
    void activate(int index);
    void drawTab(QPainter& painter, int index) const;
    QRect paneRect() const;

    std::vector<Tab> tabs_;
    std::unique_ptr<TabRows> rows_;
    int current_ = -1;
    int hovered_ = -1;
    int rowHeight_ = 0;
};

} // namespace kbs
