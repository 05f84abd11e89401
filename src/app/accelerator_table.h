#pragma once

#include <QHash>
#include <QKeyCombination>
#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QWidget;

namespace kbs {

// The main window's accelerator keys. They are looked at before the focused control sees a
// key, so Ctrl+C in a number box runs the printer command rather than copying. A key of
// the table is used up even while its command is disabled.
class AcceleratorTable : public QObject {
    Q_OBJECT
public:
    // Watches the keys typed anywhere inside `window`.
    explicit AcceleratorTable(QWidget* window);

    // `key` in portable text, e.g. "Ctrl+O".
    void add(const QString& key, QAction* action);
    void add(QKeyCombination key, QAction* action) { table_.insert(key, action); }
    // The action a key runs, or nullptr.
    QAction* actionFor(QKeyCombination key) const { return table_.value(key); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInWindow(QObject* object) const;

    QWidget* window_;
    QHash<QKeyCombination, QPointer<QAction>> table_;
};

} // namespace kbs
