#pragma once
// Screenshots of every page, for looking at the layout without a screen (scripts/screenshots).
//
// With the environment variable TRV5200_SCREENSHOT_DIR set to a folder, the window waits
// three seconds after it is shown, then shows every tab (the service page's contents
// too), selects each page in turn and saves QWidget::grab() of the window as
// NN-<page>[-<language>].png, then grabs the info window and the language chooser, and
// quits the program. Further variables:
//   TRV5200_SCREENSHOT_CONNECT=1     press the connect button first and wait three seconds
//                                    more, so the pages show a controller's values
//   TRV5200_SCREENSHOT_LANGUAGE=eng  build the captions in another language ("eng",
//                                    "schw", "franz", "tuerk"; "ger" is the design) to
//                                    check that no caption is clipped
#include <QString>
#include <optional>

class THauptfenster;
enum class Language;

// The language asked for by TRV5200_SCREENSHOT_LANGUAGE, if any.
std::optional<Language> screenshotLanguage();

// Arms the screenshot run when TRV5200_SCREENSHOT_DIR is set; false otherwise.
bool scheduleScreenshots(THauptfenster& window);
