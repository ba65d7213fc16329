#include "ui/maps/UniformityPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <cmath>

#include "ui/maps/MapTexts.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr const char* kCaptions[] = {"Mean", "Minimum", "Maximum", "RMS nonuniformity", "5\u201395 % spread"};

QString WithUncertainty(const QString& value, double se, char separator, const QString& unit) {
  if (std::isnan(se)) return value;
  return value + " \u00B1 " + FormatStandardError(se, separator) + unit;
}

}  // namespace

QString FigureText(const UniformityFigure& figure, MapQuantity quantity, char decimalSeparator) {
  return WithUncertainty(MapValueText(figure.value, quantity, decimalSeparator), figure.se, decimalSeparator,
                         IsTemperature(quantity) ? " K" : "");
}

QString PercentText(const UniformityFigure& figure, char decimalSeparator) {
  if (std::isnan(figure.value)) return "\u2013";
  QString value = QString::number(100 * figure.value, 'g', 3).replace('.', QChar(decimalSeparator)) + " %";
  return WithUncertainty(value, 100 * figure.se, decimalSeparator, " %");
}

UniformityPanel::UniformityPanel(QWidget* parent) : QGroupBox("Uniformity", parent) {
  setObjectName("gbUniformity");
  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(10);
  layout->setVerticalSpacing(6);
  for (int row = 0; row < 5; ++row) {
    layout->addWidget(new QLabel(QString(kCaptions[row]) + ":", this), row, 0);
    values[row] = new QLabel(this);
    values[row]->setObjectName(QString("lblUniformity%1").arg(row));
    values[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(values[row], row, 1);
  }
  rule = new QLabel(this);
  rule->setObjectName("lblUniformityRule");
  rule->setWordWrap(true);
  QPalette palette = rule->palette();
  palette.setColor(QPalette::WindowText, QColor(80, 80, 80));
  rule->setPalette(palette);
  layout->addWidget(rule, 5, 0, 1, 2);
  layout->setRowStretch(6, 1);
  Clear();
}

void UniformityPanel::ShowFigures(const Uniformity& u, MapQuantity quantity) {
  const char separator = DecimalSeparator();
  values[0]->setText(FigureText(u.mean, quantity, separator));
  values[1]->setText(FigureText(u.min, quantity, separator));
  values[2]->setText(FigureText(u.max, quantity, separator));
  values[3]->setText(PercentText(u.rmsNonuniformity, separator));
  values[4]->setText(FigureText(u.spread5to95, quantity, separator));
  rule->setText(QString("Over the %1 bins with at least %2 %3.\n\u00B1: one standard uncertainty.")
                    .arg(u.bins)
                    .arg(u.minRays)
                    .arg(u.minRays == 1 ? "ray" : "rays"));
}

void UniformityPanel::Clear() {
  for (QLabel* value : values) value->setText("\u2013");
  rule->setText("No map yet.");
}

}  // namespace tessolan
