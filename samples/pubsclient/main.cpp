#include "common/ui/WidgetMessages.h"
#include "samples/component/ComponentLoader.h"
#include "samples/component/IPubsServer.h"
#include "samples/pubsclient/ui/Form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tallix::installWidgetMessages();
    tallix::pubs::Form1 window(tallix::ComponentLoader::defaultFolders(),
                               QLatin1String(tallix::pubs::kClassId));
    window.show();
    return app.exec();
}
