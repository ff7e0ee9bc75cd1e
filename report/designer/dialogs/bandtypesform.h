#pragma once
// "Vložit nový band": the type of a band being inserted, one radio button
// per band type; types a page may hold once are offered only while the
// page has none.
#include <QDialog>
#include <QList>

class QGroupBox;
class QPushButton;
class QRadioButton;
class TvlPage;

class TvlBandTypesForm : public QDialog
{
    Q_OBJECT
public:
    // exists tells for each band type whether the page has a band of it.
    explicit TvlBandTypesForm(const QList<bool> &exists, QWidget *parent = nullptr);

    // Types 4 to 12 and 16, 17 can always be added again.
    static bool Repeatable(int type);
    // Which types the page lets the user insert.
    static QList<bool> Selectable(const QList<bool> &exists);
    // For each band type whether the page has a band of it.
    static QList<bool> TypesOnPage(const TvlPage &page);

    int BandType() const { return m_type; } // -1 when none can be chosen

    QGroupBox *GB1;
    QList<QRadioButton *> Buttons; // by type
    QPushButton *Button1, *Button2;

private:
    int m_type = -1;
};
