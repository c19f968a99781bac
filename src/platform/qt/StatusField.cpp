#include "platform/qt/StatusField.h"

#include <QLabel>

void SetStatusFieldText(QLabel& field, const QString& text, const QString& subject) {
    field.setText(text);
    // An empty accessible name lets the label's own text be its name. Set only when it changes:
    // every setting tells assistive technology, and the caret's refresh sets the fields often.
    const QString name = subject.isEmpty() || text.isEmpty() ? QString() : subject + ": " + text;
    if (field.accessibleName() != name)
        field.setAccessibleName(name);
    field.setVisible(!text.isEmpty());
}
