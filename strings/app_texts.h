#pragma once
// Every localized text and product name of the application, as class
// operations. The application controller derives from AppTexts, so
// FEXOBluetoothManagerAppController::vyla_string_ok_in(language) works there;
// Qt-free code calls AppTexts::... directly.
#include "strings/common_texts.h"
#include "strings/menu_texts.h"
#include "strings/product_catalogue.h"
#include "strings/status_texts.h"

class AppTexts : public CommonTexts, public MenuTexts, public ProductCatalogue, public StatusTexts {};
