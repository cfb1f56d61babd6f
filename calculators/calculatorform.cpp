// SPDX-License-Identifier: MIT
#include "calculators/calculatorform.h"

#include "shell/project.h"

#include <QLabel>
#include <QLineEdit>

namespace calculators {

CalculatorForm::CalculatorForm(shell::Project& project, const Calculator& calculator)
    : shell::Form(project, calculator.layout)
    , calculator_(calculator)
{
}

void CalculatorForm::wire()
{
    fields_.clear();
    for (const char* field : calculator_.fields)
        fields_.push_back(require<QLineEdit>(field));
    result_ = require<QLabel>(calculator_.resultLabel());
    onClick(calculator_.button(), &CalculatorForm::cmdCalculate_Click);
    onClick("cmdDone", [this] { unload(); });
}

void CalculatorForm::cmdCalculate_Click()
{
    std::vector<std::string> texts;
    texts.reserve(fields_.size());
    for (const QLineEdit* field : fields_)
        texts.push_back(field->text().toStdString());
    const arithmetic::Display display{shell::Project::decimalSeparator(), project().displayDecimals()};
    const std::string line = calculator_.arithmetic(texts, display);
    result_->setText(QString::fromStdString(line));
}

void CalculatorForm::recover(const runtime::Error& error)
{
    shell::Form::recover(error);
    if (const auto* failed = dynamic_cast<const arithmetic::FieldError*>(&error)) {
        QLineEdit* field = fields_.at(failed->field);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

} // namespace calculators
