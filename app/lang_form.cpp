#include "app/lang_form.h"

#include "app/hauptfenster.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

Tlang_form::Tlang_form(THauptfenster* main) : QDialog(main), main_(main) {
    setWindowTitle(QStringLiteral("Languagetool"));

    Label1 = new QLabel(QStringLiteral("Please choose a language!"), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    ComboBox1 = new QComboBox(this);
    ComboBox1->addItem(QStringLiteral("German"));
    ComboBox1->addItem(QStringLiteral("English"));
    ComboBox1->setPlaceholderText(QStringLiteral("Language"));
    ComboBox1->setCurrentIndex(-1);
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ComboBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ComboBox1->setMinimumContentsLength(16);
}

void Tlang_form::ComboBox1Click() {
    const QString choice = ComboBox1->currentText();
    if (choice == QStringLiteral("German")) {
        main_->language_code = QStringLiteral("ger");
        main_->german1Click();
        close();
    }
    if (choice == QStringLiteral("English")) {
        main_->language_code = QStringLiteral("eng");
        main_->english1Click();
        close();
    }
}
