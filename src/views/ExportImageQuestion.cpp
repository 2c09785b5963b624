#include "views/ExportImageQuestion.h"

namespace {

ExportImageQuestion current = nullptr;

}  // namespace

ExportImageQuestion SetExportImageQuestion(ExportImageQuestion question) {
  ExportImageQuestion previous = current;
  current = question;
  return previous;
}

bool AskExportImage(ExportImageChoice& choice) { return current && current(choice); }
