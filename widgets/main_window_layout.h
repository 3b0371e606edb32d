#pragma once
// Geometry of the main window, in pixels from the bottom-left corner of the
// content view (as the window was designed). The page-strip positions and
// heights are the ones the strip switches between.

namespace widgets::layout {

inline constexpr int k_content_width = 760;
inline constexpr int k_content_height = 560;

inline constexpr int k_main_button_y = 395;
inline constexpr int k_main_button_width = 140;
inline constexpr int k_main_button_height = 40;
inline constexpr int k_main_button_step = 146;

// The selected strip label sits lower and taller, joining the page below.
inline constexpr int k_strip_selected_y = 362;
inline constexpr int k_strip_selected_height = 18;
inline constexpr int k_strip_other_y = 365;
inline constexpr int k_strip_other_height = 15;
inline constexpr int k_strip_first_x = 554;
inline constexpr int k_strip_second_x = 650;
inline constexpr int k_strip_width = 92;

// The page area, where one page shows at a time; it ends two points under the strip.
inline constexpr int k_page_x = 16;
inline constexpr int k_page_y = 44;
inline constexpr int k_page_width = 728;
inline constexpr int k_page_height = k_strip_selected_y - k_page_y - 2;

}  // namespace widgets::layout
