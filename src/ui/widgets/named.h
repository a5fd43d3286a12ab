#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace aethrian::ui {

// Widgets created with the object name that features and tests find them by.
inline QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

inline QLabel* label(const QString& name, const QString& caption, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

// Controls without visible text of their own (path boxes, tables, lists, panes, value edits) also
// get the name that screen readers and desktop automation announce, unique within their page.
template <class W> W* withAccessibleName(W* widget, const QString& accessibleName) {
    widget->setAccessibleName(accessibleName);
    return widget;
}

inline QLineEdit* lineEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    return e;
}

} // namespace aethrian::ui
