// SPDX-License-Identifier: GPL-3.0-or-later
// Controls bound to the fields of a table's current row: combo boxes show a text field, line
// edits a whole-number field. Whenever the table comes to stand on another row the controls
// show that row; what the user enters becomes a pending change of the row, which the table
// stores when it moves on (or store() does), and discard() drops. Several controls may show
// the same field; a change in one is shown by the others.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class DbTable;
class QComboBox;
class QLineEdit;
class QWidget;

class RowBinder : public QObject
{
    Q_OBJECT

public:
    // The table must outlive the binder. Errors of the table are reported over `owner`.
    RowBinder(DbTable &table, QWidget *owner);

    DbTable &table() const { return m_table; }

    // A combo box shows the field's text; what the user picks or types is stored unchanged.
    void bindCombo(QComboBox *combo, const QString &field);
    // A line edit shows the field as a whole number; its owner checks what the user typed and
    // hands it over with writeNumber().
    void bindNumberEdit(QLineEdit *edit, const QString &field);

    // Makes `value` the edit's field in the current row, unless the row already holds it.
    void writeNumber(QLineEdit *edit, std::int64_t value);

    // Shows the current row in every control.
    void load();
    // Stores the current row with whatever changes it has; returns false when that failed
    // (the error has been shown).
    bool store();
    // Drops the changes of the current row that were not stored and shows it as stored.
    void discard();

    // Whether the table stands on a row that can take changes.
    bool hasRow() const;

private:
    struct Binding
    {
        QWidget *control;
        QString field;
        bool number;
    };

    void show(const Binding &binding);
    void writeText(QComboBox *combo, const QString &text);
    void write(QWidget *from, const QString &field, const QVariant &value);
    const Binding *bindingOf(const QWidget *control) const;

    DbTable &m_table;
    QWidget *m_owner;
    std::vector<Binding> m_bindings;
    bool m_loading = false;
};
