// SPDX-License-Identifier: GPL-3.0-or-later
// Controls bound to the current row of a table.
#include "systems/rowbinder.h"

#include "app/commandguard.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStringList>

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
    updateEnabled();
}

void RowBinder::bindNumberEdit(QLineEdit *edit, const QString &field)
{
    m_bindings.push_back({edit, field, true});
    show(m_bindings.back());
    updateEnabled();
}

bool RowBinder::hasRow() const
{
    return m_table.isOpen() && !m_table.isEmpty();
}

void RowBinder::setAttached(bool attached)
{
    if (attached == m_attached)
        return;
    m_attached = attached;
    load();
    updateEnabled();
}

void RowBinder::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateEnabled();
}

void RowBinder::updateEnabled()
{
    for (const Binding &binding : m_bindings)
        binding.control->setEnabled(m_attached && !m_readOnly);
}

void RowBinder::load()
{
    // Changes still pending belong to the row the table stands on; a moved table has none.
    if (!m_table.isEditing())
        m_changes.clear();
    if (!m_attached || !hasRow()) {
        for (const Binding &binding : m_bindings)
            display(binding, QString());
        Q_EMIT loaded();
        return;
    }
    // One read of the row, so that a file that cannot be read now says so once.
    QStringList texts;
    const bool read = runCommand(m_owner, [&] {
        for (const Binding &binding : m_bindings)
            texts.append(fieldText(binding));
    });
    for (std::size_t k = 0; k < m_bindings.size(); ++k)
        display(m_bindings[k], read ? texts.at(qsizetype(k)) : QString());
    Q_EMIT loaded();
}

QString RowBinder::fieldText(const Binding &binding) const
{
    if (!binding.number)
        return m_table.text(binding.field);
    if (m_table.value(binding.field).isNull())
        return {};
    return QString::number(m_table.integer(binding.field));
}

void RowBinder::show(const Binding &binding)
{
    QString text;
    if (m_attached && hasRow())
        runCommand(m_owner, [&] { text = fieldText(binding); });
    display(binding, text);
}

void RowBinder::display(const Binding &binding, const QString &text)
{
    const QScopedValueRollback guard(m_loading, true);
    if (auto *combo = qobject_cast<QComboBox *>(binding.control)) {
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        combo->setEditText(text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(binding.control)) {
        // Setting the text tells the owner, which repeats it in its caption.
        edit->setText(text);
    }
}

void RowBinder::writeText(QComboBox *combo, const QString &text)
{
    if (m_loading || !m_attached || m_readOnly)
        return;
    if (const Binding *binding = bindingOf(combo))
        write(combo, binding->field, text);
}

void RowBinder::writeNumber(QLineEdit *edit, std::int64_t value)
{
    const Binding *binding = bindingOf(edit);
    if (!binding || !hasRow() || !m_attached || m_readOnly)
        return;
    const QVariant stored = m_table.value(binding->field);
    if (!stored.isNull() && m_table.integer(binding->field) == value)
        return;
    write(edit, binding->field, qint64(value));
}

void RowBinder::remember(const QString &field, const QVariant &value)
{
    for (auto &change : m_changes) {
        if (change.first == field) {
            change.second = value;
            return;
        }
    }
    m_changes.emplace_back(field, value);
}

void RowBinder::write(QWidget *from, const QString &field, const QVariant &value)
{
    if (!hasRow())
        return;
    const bool written = runCommand(m_owner, [&] {
        m_table.edit();
        m_table.setField(field, value);
    });
    if (written)
        remember(field, value);
    // The other controls of the field follow; after a failure every control shows the row.
    for (const Binding &binding : m_bindings) {
        if (!written || (binding.control != from && binding.field == field))
            show(binding);
    }
}

bool RowBinder::store()
{
    if (!hasRow() || !m_attached || m_readOnly)
        return true;
    if (m_changes.empty() && !m_table.isEditing())
        return true;
    const std::vector<std::pair<QString, QVariant>> changes = m_changes;
    const bool stored = runCommand(m_owner, [this] {
        m_table.edit();
        m_table.post();
    });
    if (stored) {
        m_changes.clear();
        return true;
    }
    // The table dropped the row it could not write; the user's values stay pending and on view
    // so that the next store tries them again.
    m_changes = changes;
    runCommand(m_owner, [this] {
        if (!hasRow())
            return;
        m_table.edit();
        for (const auto &[field, value] : m_changes)
            m_table.setField(field, value);
    });
    return false;
}

void RowBinder::discard()
{
    m_changes.clear();
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
