#include "platform/LabelEditDelegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
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
    // The view is letting go of the editor: a cancellation handler that changes the list must
    // not find it still open and ask the view to close it a second time.
    const bool own = editor == m_editor.data();
    if (own)
        m_editor.clear();
    if (!m_ended && !m_inEnd)
        End(index, nullptr);
    if (own)
        m_index = QPersistentModelIndex();
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

bool LabelEditDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr || editor != m_editor.data())
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                Close(editor, true);
                return true;
            case Qt::Key_Escape:
                Close(editor, false);
                return true;
            default:
                return false;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // A box of the owner's own end handler takes the focus while the edit is ending; the
        // editor's own context menu takes it while the edit goes on.
        if (m_ended || m_inEnd ||
            static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget())
            if (w == editor)
                return false;
        Close(editor, true);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void LabelEditDelegate::Close(QLineEdit* editor, bool commit) {
    const QPointer<QLineEdit> alive(editor);
    if (commit)
        emit commitData(editor);
    if (!alive.isNull() && editor == m_editor.data())
        emit closeEditor(editor, commit ? QAbstractItemDelegate::SubmitModelCache
                                        : QAbstractItemDelegate::RevertModelCache);
}

bool LabelEditDelegate::Finish(const std::string& text, bool commit) {
    QLineEdit* editor = m_editor.data();
    if (editor == nullptr)
        return false;
    editor->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    Close(editor, commit);
    return true;
}

void LabelEditDelegate::Cancel() {
    if (QLineEdit* editor = m_editor.data())
        Close(editor, false);
}

std::string LabelEditDelegate::ProgramText(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return text.toUtf8().toStdString();
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace platform::detail
