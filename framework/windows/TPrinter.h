#pragma once
// The printer: a print job writes a PDF file (Qt's PDF writer) to the path the application sets,
// by default a file in the temporary folder, with Title as the document's title. Pages are A4 at
// Resolution pixels per inch with no margins, so PageWidth and PageHeight are the whole sheet in
// device pixels, as GetDeviceCaps on the canvas handle also reports. Canvas draws on the current
// page between BeginDoc and EndDoc.
#include "framework/core/Exception.h"
#include <memory>
#include <string>

namespace vexo {

class TCanvas;

// A print job that cannot start (the file cannot be created) or a call out of turn.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    // The PDF file the next job writes; empty restores the default.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    static std::string DefaultFileName();
    int Resolution() const { return resolution_; }
    void SetResolution(int dpi); // not while printing

    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Ends the job and removes its file.
    void Abort();
    bool Printing() const { return job_ != nullptr; }
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; } // 1-based while printing

    TCanvas* Canvas(); // raises EPrinter when no job is running
    int PageWidth() const;
    int PageHeight() const;

private:
    struct Job;
    void requirePrinting(const char* what) const;
    std::unique_ptr<Job> job_;
    std::string title_;
    std::string fileName_;
    int resolution_ = 300;
    int pageNumber_ = 0;
    bool aborted_ = false;
};

// The application's printer.
TPrinter& Printer();

} // namespace vexo
