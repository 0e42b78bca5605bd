#include "support/fake_printer.h"

#include <cstdio>

FakePrinterState Fake;

namespace {

class FakePrinter : public Printer {
 public:
  bool SetUnitMillimetres() override {
    return Step("mm");
  }
  bool SetFont(const PrinterFont& font) override {
    char size[32];
    std::snprintf(size, sizeof size, "%g", font.size);
    return Step("font " + font.name + " " + size + (font.bold ? " bold" : "") +
                (font.italic ? " italic" : ""));
  }
  bool PrintableWidth(double& width) override {
    width = Fake.width;
    return Step("width");
  }
  bool TextWidth(const std::string& text, double& width) override {
    width = static_cast<double>(text.size());
    return Step("measure");
  }
  bool PrintLine(const std::string& text) override {
    if (!Step("line")) {
      return false;
    }
    Fake.lines.push_back(text);
    return true;
  }
  bool EndDoc() override {
    Fake.calls.push_back("end");
    return !Fake.fail_end;
  }
  PrintFailure LastFailure() const override {
    return {482, "Printer error"};
  }

 private:
  bool Step(const std::string& call) {
    if (call != "measure") {
      Fake.calls.push_back(call);
    }
    return ++Fake.operations != Fake.fail_at;
  }
};

std::unique_ptr<Printer> NewFakePrinter() {
  return std::make_unique<FakePrinter>();
}

}  // namespace

void UseFakePrinter(double width) {
  Fake = FakePrinterState();
  Fake.width = width;
  InstallPrinter(NewFakePrinter);
}
