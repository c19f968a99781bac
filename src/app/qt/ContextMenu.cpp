// mnuPopup, the context menu of every editor and of the tool bar: a live copy of the main menu,
// so every command stays reachable while the menu bar is hidden. Items tagged
// ContextMenuTopTag come first, at the top level.

#include "app/qt/MainWindow.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>
#include <QWheelEvent>

namespace {

// A wheel's notch, in the units of QWheelEvent::angleDelta.
constexpr int kWheelNotch = 120;

// Hands pointer movement over an editor's text area to the window, in editor coordinates, and
// Ctrl with the wheel, which zooms every editor as the font size keys do (the rich editor's own
// zoom would change its view alone).
class PointerWatch : public QObject {
public:
    PointerWatch(TForm1& window, QAbstractScrollArea& editor)
        : QObject(&editor), window(window), editor(editor) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
            window.Memo01MouseMove(&editor, editor.viewport()->mapTo(&editor, point));
        } else if (event->type() == QEvent::Wheel) {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                // A touchpad turns in small steps: they add up to notches.
                wheelAngle += wheel->angleDelta().y();
                const int notches = wheelAngle / kWheelNotch;
                wheelAngle -= notches * kWheelNotch;
                window.ZoomByWheel(notches);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TForm1& window;
    QAbstractScrollArea& editor;
    int wheelAngle = 0;
};

} // namespace

void TForm1::CreateContextMenu() {
    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName("mnuPopup");
    connect(mnuPopup, &QMenu::aboutToShow, this, &TForm1::MirrorMainMenu);
    for (QToolBar* row : {ToolBar, ToolBarSecond}) {
        row->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(row, &QWidget::customContextMenuRequested, this,
                [this, row](QPoint position) { mnuPopup->popup(row->mapToGlobal(position)); });
    }
}

void TForm1::WatchEditor(QAbstractScrollArea* editor) {
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this, [this, editor](QPoint position) {
        mnuPopup->popup(editor->viewport()->mapToGlobal(position));
    });
    editor->viewport()->setMouseTracking(true);
    editor->viewport()->installEventFilter(new PointerWatch(*this, *editor));
}

void TForm1::MirrorMainMenu() {
    // The second-level items are the main menu's own actions, so captions, checks, visibility,
    // shortcuts and handlers are always those of the main menu; only the top level is copied.
    for (QMenu* copy : mnuPopup->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete copy;
    mnuPopup->clear();
    int topPosition = 0;
    for (QAction* topItem : menuBar()->actions()) {
        auto* copy = new QMenu(topItem->text(), mnuPopup);
        copy->menuAction()->setData(topItem->data());
        copy->menuAction()->setVisible(topItem->isVisible());
        mnuPopup->addMenu(copy);
        if (!topItem->menu())
            continue;
        for (QAction* item : topItem->menu()->actions()) {
            if (item->data() == QVariant(ContextMenuTopTag)) {
                mnuPopup->insertAction(mnuPopup->actions().value(topPosition), item);
                ++topPosition;
            } else {
                copy->addAction(item);
            }
        }
    }
}
