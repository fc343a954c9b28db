// SPDX-License-Identifier: GPL-3.0-or-later
// Controls bound to the current row of a table.
#include "systems/rowbinder.h"

#include "app/commandguard.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

RowBinder::RowBinder(DbTable &table, QWidget *owner)
    : QObject(owner), m_table(table), m_owner(owner)
{
    connect(&m_table, &DbTable::currentRowChanged, this, &RowBinder::load);
    connect(&m_table, &DbTable::rowsReset, this, &RowBinder::load);
}

void RowBinder::bindCombo(QComboBox *combo, const QString &field)
{
    m_bindings.push_back({combo, field, false});
    // A typed text longer than the field holds could not be stored; it is not accepted.
    const int column = columnIndex(m_table.columns(), field);
    if (column >= 0 && m_table.columns().at(column).maxLength > 0 && combo->lineEdit())
        combo->lineEdit()->setMaxLength(m_table.columns().at(column).maxLength);
    connect(combo, &QComboBox::editTextChanged, this,
            [this, combo](const QString &text) { writeText(combo, text); });
    show(m_bindings.back());
}

void RowBinder::bindNumberEdit(QLineEdit *edit, const QString &field)
{
    m_bindings.push_back({edit, field, true});
    show(m_bindings.back());
}

bool RowBinder::hasRow() const
{
    return m_table.isOpen() && !m_table.isEmpty();
}

void RowBinder::load()
{
    for (const Binding &binding : m_bindings)
        show(binding);
}

void RowBinder::show(const Binding &binding)
{
    QString text;
    if (hasRow()) {
        runCommand(m_owner, [&] {
            if (!binding.number)
                text = m_table.text(binding.field);
            else if (!m_table.value(binding.field).isNull())
                text = QString::number(m_table.integer(binding.field));
        });
    }
    const QScopedValueRollback guard(m_loading, true);
    if (auto *combo = qobject_cast<QComboBox *>(binding.control)) {
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        combo->setEditText(text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(binding.control)) {
        // A change of the text runs the owner's check of the number, as typing does.
        edit->setText(text);
    }
}

void RowBinder::writeText(QComboBox *combo, const QString &text)
{
    if (m_loading)
        return;
    if (const Binding *binding = bindingOf(combo))
        write(combo, binding->field, text);
}

void RowBinder::writeNumber(QLineEdit *edit, std::int64_t value)
{
    const Binding *binding = bindingOf(edit);
    if (!binding || !hasRow())
        return;
    const QVariant stored = m_table.value(binding->field);
    if (!stored.isNull() && m_table.integer(binding->field) == value)
        return;
    write(edit, binding->field, qint64(value));
}

void RowBinder::write(QWidget *from, const QString &field, const QVariant &value)
{
    if (!hasRow())
        return;
    const bool written = runCommand(m_owner, [&] {
        m_table.edit();
        m_table.setField(field, value);
    });
    // The other controls of the field follow; after a failure every control shows the row.
    for (const Binding &binding : m_bindings) {
        if (!written || (binding.control != from && binding.field == field))
            show(binding);
    }
}

bool RowBinder::store()
{
    if (!hasRow())
        return true;
    const bool stored = runCommand(m_owner, [this] {
        m_table.edit();
        m_table.post();
    });
    if (!stored)
        load();
    return stored;
}

void RowBinder::discard()
{
    if (m_table.isEditing()) {
        m_table.cancel();
        load();
    }
}

const RowBinder::Binding *RowBinder::bindingOf(const QWidget *control) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.control == control)
            return &binding;
    }
    return nullptr;
}
