#include "tabstrip.h"

#include "widgets/cornicefocus.h"

#include <QEvent>
#include <QPainter>
#include <QTabBar>

namespace {

struct Tab
{
    const char *caption;
    const char *tooltip;
};

constexpr Tab kTabs[] = {
    {"Schermata iniziale e presentazione programma",
     "Schermata iniziale e presentazione programma"},
    {"Gioca", "Gioca i tuoi numeri"},
    {"Lotto", "Lotto"},
    {"Regolamento", "Regolamento"},
};

// The tab bar, with the tab in front framed as every other control of the game shows the focus
// while the keyboard is on the bar.
class BarraSchede : public QTabBar
{
public:
    explicit BarraSchede(QWidget *parent) : QTabBar(parent)
    {
        connect(this, &QTabBar::currentChanged, this, [this] { aggiornaColore(); });
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QTabBar::paintEvent(event);
        if (!hasFocus() || currentIndex() < 0 || m_senzaCornice)
            return;
        QPainter painter(this);
        painter.setPen(QPen(m_colore, 2));
        painter.drawRect(tabRect(currentIndex()).adjusted(1, 1, -1, -1));
    }
    void focusInEvent(QFocusEvent *event) override
    {
        QTabBar::focusInEvent(event);
        aggiornaColore();
        update();
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        QTabBar::focusOutEvent(event);
        update();
    }

private:
    // The frame's colour, over the tab in front as it is drawn without it.
    void aggiornaColore()
    {
        if (!hasFocus() || currentIndex() < 0)
            return;
        m_senzaCornice = true;
        const QImage sotto = grab(tabRect(currentIndex())).toImage();
        m_senzaCornice = false;
        m_colore =
            CorniceFocus::colore(palette().color(QPalette::Active, QPalette::Highlight), sotto);
    }

    QColor m_colore;
    bool m_senzaCornice = false;
};

} // namespace

TabStrip::TabStrip(QWidget *parent) : QFrame(parent), m_tabs(new BarraSchede(this))
{
    setObjectName(QStringLiteral("TabStrip1"));
    setFrameShape(QFrame::StyledPanel);
    m_tabs->setObjectName(QStringLiteral("TabStrip1_schede"));
    m_tabs->setAccessibleName(QStringLiteral("Pagine del gioco"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    for (const Tab &tab : kTabs) {
        const int index = m_tabs->addTab(QString::fromUtf8(tab.caption));
        m_tabs->setTabToolTip(index, QString::fromUtf8(tab.tooltip));
    }
    // Every tab is read whole: never scroll buttons, which would also take the keyboard.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    connect(m_tabs, &QTabBar::tabBarClicked, this, &TabStrip::tabClicked);
    connect(m_tabs, &QTabBar::currentChanged, this, &TabStrip::currentChanged);
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    // The tabs sit along the top; the rest of the row is the strip's own, and clicks there
    // select nothing.
    adatta();
}

void TabStrip::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        adatta();
}

// The desktop's font for the tabs, made smaller in half points while the four do not fit the
// strip's width (a big desktop font, a large screen scale).
void TabStrip::adatta()
{
    QFont carattere = font();
    m_tabs->setFont(carattere);
    while (m_tabs->sizeHint().width() > width() && carattere.pointSizeF() > 5) {
        carattere.setPointSizeF(carattere.pointSizeF() - 0.5);
        m_tabs->setFont(carattere);
    }
    m_tabs->setGeometry(0, 0, width(), m_tabs->sizeHint().height());
}

int TabStrip::selezionata() const
{
    return m_tabs->currentIndex() + 1;
}

void TabStrip::gira(int passo)
{
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + passo + m_tabs->count()) % m_tabs->count());
}

void TabStrip::tabClicked(int index)
{
    if (index < 0)
        return; // a click beside the tabs
    // Select it now, so the strip shows the tab while its announcement plays; the change this
    // makes is the click's own and is not reported again.
    m_clickInCorso = index;
    m_tabs->setCurrentIndex(index);
    m_clickInCorso = -1;
    Q_EMIT Click(index + 1);
}

void TabStrip::currentChanged(int index)
{
    if (index != m_clickInCorso)
        Q_EMIT Click(index + 1);
}
