#include "print/printer.h"

namespace {

// The printer of a platform without one: every operation fails.
class NoPrinter : public Printer {
 public:
  bool SetUnitMillimetres() override {
    return false;
  }
  bool SetFont(const PrinterFont&) override {
    return false;
  }
  bool PrintableWidth(double&) override {
    return false;
  }
  bool TextWidth(const std::string&, double&) override {
    return false;
  }
  bool PrintLine(const std::string&) override {
    return false;
  }
  bool EndDoc() override {
    return false;
  }
  PrintFailure LastFailure() const override {
    return {kPrinterFailureNoDevice, "No printer is available on this system."};
  }
};

std::unique_ptr<Printer> NewNoPrinter() {
  return std::make_unique<NoPrinter>();
}

PrinterFactory current_factory = NewNoPrinter;

}  // namespace

std::unique_ptr<Printer> OpenDefaultPrinter() {
  return current_factory();
}

PrinterFactory InstallPrinter(PrinterFactory factory) {
  PrinterFactory old = current_factory;
  current_factory = factory != nullptr ? factory : NewNoPrinter;
  return old;
}
