#include "ui/dialogs/TFAbout.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/AppIcon.h"

namespace tessolan {

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("FAbout");
  setWindowTitle("About Tessolan");
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);

  auto* header = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(TessolanIcon().pixmap(64, 64));
  header->addWidget(icon);
  auto* name = new QLabel("Tessolan", this);
  QFont big = name->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 2);
  name->setFont(big);
  header->addWidget(name);
  header->addStretch();
  layout->addLayout(header);

  layout->addWidget(new QLabel(QStringLiteral("Version " TESSOLAN_VERSION), this));
  auto* what = new QLabel(
      "Monte Carlo ray tracing of the effective emissivity and radiance temperature\n"
      "of blackbody radiators whose surface is a square array of pyramids.",
      this);
  layout->addWidget(what);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tessolan
