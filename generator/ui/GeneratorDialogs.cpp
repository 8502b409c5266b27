#include "generator/ui/GeneratorDialogs.h"

namespace tallix {

void openAboutBox(QWidget* parent)
{
    static_cast<void>(parent);
}

} // namespace tallix
