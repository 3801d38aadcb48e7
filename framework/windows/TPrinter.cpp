#include "framework/windows/TPrinter.h"

#include "framework/graphics/TCanvas.h"
#include "framework/graphics/TDeviceContext_p.h"

#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace vexo {

struct TPrinter::Job {
    explicit Job(const QString& fileName) : writer(fileName) {}
    // The file is finished when the painter ends, after the canvas and the context let go of it.
    QPdfWriter writer;
    QPainter painter;
    std::unique_ptr<TDeviceContext> dc;
    TCanvas canvas;
    ~Job() { finish(); }
    // False when the file could not be written to the end.
    bool finish() {
        canvas.SetHandle(nullptr);
        dc.reset();
        return !painter.isActive() || painter.end();
    }
};

TPrinter::TPrinter() : fileName_(DefaultFileName()) {}

TPrinter::~TPrinter() = default;

std::string TPrinter::DefaultFileName() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("vexo-impresion.pdf")).toStdString();
}

void TPrinter::SetFileName(const std::string& value) {
    fileName_ = value.empty() ? DefaultFileName() : value;
}

void TPrinter::SetResolution(int dpi) {
    if (Printing()) throw EPrinter("No se puede cambiar la resolución durante la impresión");
    if (dpi < 1) throw EPrinter("La resolución de la impresora debe ser positiva, no " + std::to_string(dpi));
    resolution_ = dpi;
}

void TPrinter::requirePrinting(const char* what) const {
    if (!Printing()) throw EPrinter(std::string(what) + ": no hay ninguna impresión en curso");
}

void TPrinter::BeginDoc() {
    if (Printing()) throw EPrinter("BeginDoc: ya hay una impresión en curso");
    auto job = std::make_unique<Job>(QString::fromStdString(fileName_));
    job->writer.setTitle(QString::fromStdString(title_));
    job->writer.setCreator(QStringLiteral("VexoControls"));
    job->writer.setResolution(resolution_);
    job->writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // The writer opens its file only when the painter begins, so this is where a folder that
    // cannot be written shows.
    if (!job->painter.begin(&job->writer))
        throw EPrinter("No se puede crear el archivo de impresión \"" + fileName_ + "\"");
    job->dc = std::make_unique<TDeviceContext>(&job->painter);
    job->canvas.SetHandle(job->dc.get());
    job_ = std::move(job);
    pageNumber_ = 1;
    aborted_ = false;
}

void TPrinter::NewPage() {
    requirePrinting("NewPage");
    job_->writer.newPage();
    ++pageNumber_;
}

void TPrinter::EndDoc() {
    requirePrinting("EndDoc");
    const std::unique_ptr<Job> job = std::move(job_);
    pageNumber_ = 0;
    if (!job->finish()) throw EPrinter("No se pudo terminar el archivo de impresión \"" + fileName_ + "\"");
}

void TPrinter::Abort() {
    requirePrinting("Abort");
    job_.reset();
    QFile::remove(QString::fromStdString(fileName_));
    pageNumber_ = 0;
    aborted_ = true;
}

TCanvas* TPrinter::Canvas() {
    requirePrinting("Canvas");
    return &job_->canvas;
}

// The writer's page is the whole sheet (no margins), so its size is known before a job starts.
int TPrinter::PageWidth() const {
    return QPageSize(QPageSize::A4).sizePixels(resolution_).width();
}

int TPrinter::PageHeight() const {
    return QPageSize(QPageSize::A4).sizePixels(resolution_).height();
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

} // namespace vexo
