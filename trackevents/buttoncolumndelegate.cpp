#include "trackevents/buttoncolumndelegate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>

#include "trackevents/trackeventslogging.h"

const QString ButtonColumnDelegate::LaneButton = QStringLiteral("lane");
const QString ButtonColumnDelegate::ResultButton = QStringLiteral("result");

ButtonColumnDelegate::ButtonColumnDelegate(QTableView *parent)
    : QStyledItemDelegate(parent)
    , m_button(new QPushButton(parent))
{
    m_button->setObjectName(QStringLiteral("btnCellTemplate"));
    m_button->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255); background-color: rgb(0, 92, 157)"));
    m_button->hide();
}

void ButtonColumnDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!isButtonColumn(index.column()) || option.rect.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    m_button->resize(option.rect.size());
    m_button->setText(index.data().toString());
    QPixmap pixmap(option.rect.size());
    pixmap.fill(Qt::transparent);
    m_button->render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
    painter->drawPixmap(option.rect.topLeft(), pixmap);
}

bool ButtonColumnDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                       const QModelIndex &index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (isButtonColumn(index.column())) {
            m_pressed = index;
            m_pressedButton = index.column() == LaneColumn ? LaneButton : ResultButton;
        } else {
            m_pressed = QPersistentModelIndex();
        }
        break;
    case QEvent::MouseMove:
        if (m_pressed.isValid() && m_pressed != index)
            m_pressed = QPersistentModelIndex();
        break;
    case QEvent::MouseButtonRelease: {
        const bool tapped = m_pressed.isValid() && m_pressed == index;
        const QString button = m_pressedButton;
        m_pressed = QPersistentModelIndex();
        if (!tapped)
            break;
        qCDebug(lcTrackEvents).noquote() << QStringLiteral("clicked on %1 ").arg(button);
        const auto cell = [&index](int column) { return index.sibling(index.row(), column).data(); };
        // The receiver may run a dialog and change the model: everything is
        // read before the signal goes.
        emit button_clicked(button, cell(0).toUInt(), cell(LaneColumn).toUInt(), cell(3).toString(), cell(4).toString(),
                            cell(5).toString());
        return true;
    }
    default:
        break;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
