#include "recorder/widgets/ReportLogo.h"

#include <QPainter>
#include <QSvgRenderer>

// The picture lives in this static library's own resources; referencing their
// initialiser keeps the linker from dropping them. Outside any namespace.
static void initReportResources() {
    Q_INIT_RESOURCE(report);
}

void drawReportLogo(QPainter& painter, const QRectF& target) {
    static bool initialised = false;
    if (!initialised) {
        initReportResources();
        initialised = true;
    }
    QSvgRenderer renderer(QStringLiteral(":/art/report_logo.svg"));
    renderer.render(&painter, target);
}
