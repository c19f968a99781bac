// The editors' and tool bars' context menu, mirrored from the main menu each time it opens.

#include "app/qt/ContextMenu.h"

#include <QAbstractScrollArea>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

TEditorContextMenu::TEditorContextMenu(QMainWindow& window, QToolBar& firstRow, QToolBar& secondRow)
    : window(window), popup(new QMenu(&window)) {
    popup->setObjectName("mnuPopup");
    QObject::connect(popup, &QMenu::aboutToShow, popup, [this] { MirrorMainMenu(); });
    for (QToolBar* row : {&firstRow, &secondRow}) {
        row->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            row, &QWidget::customContextMenuRequested, popup,
            [menu = popup, row](QPoint position) { menu->popup(row->mapToGlobal(position)); });
    }
}

void TEditorContextMenu::WatchEditor(QAbstractScrollArea& editor) {
    editor.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&editor, &QWidget::customContextMenuRequested, popup,
                     [menu = popup, editor = &editor](QPoint position) {
                         menu->popup(editor->viewport()->mapToGlobal(position));
                     });
}

void TEditorContextMenu::MirrorMainMenu() {
    // The second-level items are the main menu's own actions, so captions, checks, visibility,
    // shortcuts and handlers are always those of the main menu; only the top level is copied.
    for (QMenu* copy : popup->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete copy;
    popup->clear();
    int topPosition = 0;
    for (QAction* topItem : window.menuBar()->actions()) {
        auto* copy = new QMenu(topItem->text(), popup);
        copy->menuAction()->setData(topItem->data());
        copy->menuAction()->setVisible(topItem->isVisible());
        popup->addMenu(copy);
        if (!topItem->menu())
            continue;
        for (QAction* item : topItem->menu()->actions()) {
            if (item->data() == QVariant(ContextMenuTopTag)) {
                popup->insertAction(popup->actions().value(topPosition), item);
                ++topPosition;
            } else {
                copy->addAction(item);
            }
        }
    }
}
