#include "platform/qt/StatusField.h"

#include <QLabel>

void SetStatusFieldText(QLabel& field, const QString& text, const QString& subject) {
    field.setText(text);
    // An empty accessible name lets the label's own text be its name.
    field.setAccessibleName(subject.isEmpty() || text.isEmpty() ? QString()
                                                                : subject + ": " + text);
    field.setVisible(!text.isEmpty());
}
