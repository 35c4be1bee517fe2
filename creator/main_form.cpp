#include "creator/main_form.h"

#include <exception>
#include <new>

#include "common/errors.h"

namespace bnf {

TfBNF::TfBNF(Services services, std::vector<std::u16string> args)
    : svc_(services),
      files_(services.files, services.codec),
      args_(std::move(args)),
      s_(services.collator) {}

void TfBNF::ReportCurrentException() {
  try {
    throw;
  } catch (const RefusedInputError& e) {
    svc_.dialogs.ShowMessage(e.message());
  } catch (const BnfError& e) {
    svc_.dialogs.ShowError(e.message());
  } catch (const std::bad_alloc&) {
    svc_.dialogs.ShowError(u"Out of memory.");
  } catch (const std::exception& e) {
    std::string what = e.what();
    svc_.dialogs.ShowError(std::u16string(what.begin(), what.end()));
  }
}

}  // namespace bnf
