#pragma once
// The info window: program version and build date, the connected controller's product
// code and date, and the maker's contact data. Opened modally from "Info" → "Über TRV"
// and by a click on the calibration page's voltage caption; refreshed on every showing.
#include "app/pages/caption_rows.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class THauptfenster;

class TInfofenst : public QDialog {
    Q_OBJECT
public:
    explicit TInfofenst(THauptfenster* main);

    // Version group
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label7 = nullptr; // "SW-Version:"
    QLabel* Versionsnr = nullptr;
    QLabel* Label10 = nullptr; // "Erstellungsdatum:"
    QLabel* Erst_Date = nullptr;
    QLabel* Label11 = nullptr;          // "HW-Version:"
    QLabel* HW_nr = nullptr;            // product code, three blanks, software date
    QPushButton* HWV_read_bt = nullptr; // never visible; enabled by connect and identity

    // Contact group
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr; // company
    QLabel* Label1 = nullptr; // street
    QLabel* Label3 = nullptr; // postcode and town
    QLabel* Label4 = nullptr; // "Tel:"
    QLabel* Label8 = nullptr;
    QLabel* Label5 = nullptr; // "Fax:"
    QLabel* Label9 = nullptr;
    QLabel* Label6 = nullptr; // web address

    // The window's captions by their rows of the text table, for a change of language.
    const CaptionRows& captionRows() const { return captionRows_; }

    // Fills the version texts and the controller's identity; runs on every showing.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    THauptfenster* main_;
    CaptionRows captionRows_;
};
