// The label editor of the list and tree controls (internal to the layer).
//
// It turns Qt's editor life cycle into the Windows label-edit protocol: the owner is asked
// before an editor opens (a refusal opens none), and told exactly once when the edit ends,
// with the typed text on Enter or focus loss, or with no text when it was cancelled.
//
// The owner's end handler may change the list (a new listing of the folder drops every row),
// and the view then lets go of the editor with its row. Closing is therefore asked of the view
// only while it still holds the editor: Qt's own key and focus handling would ask again for an
// editor the view no longer knows, so this delegate handles those events itself.
#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

class QLineEdit;

namespace platform::detail {

class LabelEditDelegate : public QStyledItemDelegate {
public:
    using BeginHandler = std::function<bool(const QModelIndex&)>;
    // text is null when the edit was cancelled.
    using EndHandler = std::function<void(const QModelIndex&, const std::string* text)>;
    using ClosedHandler = std::function<void()>;

    explicit LabelEditDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    void SetHandlers(BeginHandler begin, EndHandler end, ClosedHandler closed);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

    bool IsEditing() const { return !m_editor.isNull(); }
    QModelIndex EditIndex() const { return m_index; }
    bool InEndNotification() const { return m_inEnd; }
    // Tests: types into the open editor and ends it as Enter or Escape would.
    bool Finish(const std::string& text, bool commit);
    void Cancel();

    // Typed text in the programs' single-byte form. A character beyond Latin-1 is kept as its
    // UTF-8 bytes, so it can never pass as a '?' or another plain character.
    static std::string ProgramText(const QString& text);

private:
    // Ends the open editor as Enter (commit) or Escape would.
    void Close(QLineEdit* editor, bool commit);
    void End(const QModelIndex& index, const std::string* text) const;

    BeginHandler m_begin;
    EndHandler m_end;
    ClosedHandler m_closed;
    mutable QPointer<QLineEdit> m_editor;
    mutable QPersistentModelIndex m_index;
    mutable bool m_ended = true;
    mutable bool m_inEnd = false;
};

}  // namespace platform::detail
