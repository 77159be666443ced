#include "platform/LabelEditDelegate.h"

#include <QLineEdit>

namespace platform::detail {

void LabelEditDelegate::SetHandlers(BeginHandler begin, EndHandler end, ClosedHandler closed) {
    m_begin = std::move(begin);
    m_end = std::move(end);
    m_closed = std::move(closed);
}

QWidget* LabelEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    if (!m_editor.isNull())
        return nullptr;  // one label edit at a time
    if (m_begin && !m_begin(index))
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(true);
    m_editor = editor;
    m_index = index;
    m_ended = false;
    return editor;
}

void LabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
    // Focus leaving for a message box shown by the owner's own handler commits again; the
    // edit has ended once.
    if (m_ended || m_inEnd)
        return;
    auto* line = qobject_cast<QLineEdit*>(editor);
    const std::string text = ProgramText(line != nullptr ? line->text() : QString());
    End(index, &text);
}

void LabelEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (!m_ended && !m_inEnd)
        End(index, nullptr);
    if (editor == m_editor.data()) {
        m_editor.clear();
        m_index = QPersistentModelIndex();
    }
    editor->deleteLater();
    if (m_closed)
        m_closed();
}

void LabelEditDelegate::End(const QModelIndex& index, const std::string* text) const {
    m_ended = true;
    m_inEnd = true;
    if (m_end)
        m_end(index, text);
    m_inEnd = false;
}

bool LabelEditDelegate::Finish(const std::string& text, bool commit) {
    QLineEdit* editor = m_editor.data();
    if (editor == nullptr)
        return false;
    editor->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    if (commit)
        emit commitData(editor);
    emit closeEditor(editor, commit ? QAbstractItemDelegate::SubmitModelCache
                                    : QAbstractItemDelegate::RevertModelCache);
    return true;
}

void LabelEditDelegate::Cancel() {
    if (QLineEdit* editor = m_editor.data())
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

std::string LabelEditDelegate::ProgramText(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return text.toUtf8().toStdString();
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace platform::detail
