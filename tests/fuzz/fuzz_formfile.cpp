// Arbitrary bytes as form text, read into a new form and into an existing one: only the
// framework's own errors may come out, never a crash, a leak or another exception. What reads
// must also write and read back.
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "tests/support/FormTestClasses.h"
#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The framework's own classes (TForm, TCustomControl) are registered too, and they need Qt.
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "fuzz_formfile";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
    formtest::RegisterFormTestClasses();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        std::unique_ptr<TComponent> root(CreateComponentFromText(text, nullptr));
        const std::string written = WriteComponentText(root.get());
        std::unique_ptr<TComponent> again(CreateComponentFromText(written, nullptr));
        if (WriteComponentText(again.get()) != written) std::abort();
    } catch (const Exception&) {
    }
    try {
        formtest::TTestForm form(nullptr);
        ReadComponentText(text, &form);
    } catch (const Exception&) {
    }
    return 0;
}
