#include "workbench/Storyboard.h"

#include "workbench/Markup.h"

namespace workbench {

namespace {

// The page's behaviour: show frame i, hide the others, keep the slider, the
// counter and the page's data-frame attribute (what a test reads) in step.
// A key handled here is not also taken by the focused slider.
const char* kScript = R"(
const frames = document.querySelectorAll('.frame');
const slider = document.getElementById('slider');
const counter = document.getElementById('counter');
function show(i) {
  i = Math.max(0, Math.min(frames.length - 1, i));
  frames.forEach((f, n) => { f.hidden = n !== i; });
  slider.value = i;
  counter.textContent = (i + 1) + ' / ' + frames.length;
  document.body.dataset.frame = i;
}
slider.addEventListener('input', () => show(Number(slider.value)));
document.addEventListener('keydown', (e) => {
  const i = Number(slider.value);
  if (e.key === 'ArrowRight' || e.key === 'ArrowDown' || e.key === ' ') show(i + 1);
  else if (e.key === 'ArrowLeft' || e.key === 'ArrowUp') show(i - 1);
  else if (e.key === 'Home') show(0);
  else if (e.key === 'End') show(frames.length - 1);
  else return;
  e.preventDefault();
});
show(0);
)";

}  // namespace

std::string StoryboardHead(const std::string& title, std::size_t frames) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + EscapeMarkup(title) +
           "</title>\n<style>\n"
           "body { font-family: sans-serif; margin: 1em; }\n"
           "#bar { display: flex; gap: 1em; align-items: center; }\n"
           "#slider { flex: 1; }\n"
           "svg { max-width: 100%; height: auto; }\n"
           "pre { background: #f4f4f4; padding: 0.5em; max-height: 16em; overflow: auto; }\n"
           "</style>\n</head>\n<body data-frame=\"0\" data-frames=\"" +
           std::to_string(frames) + "\">\n<h1>" + EscapeMarkup(title) + "</h1>\n" +
           "<div id=\"bar\"><input id=\"slider\" type=\"range\" min=\"0\" max=\"" +
           std::to_string(frames == 0 ? 0 : frames - 1) +
           "\" value=\"0\" aria-label=\"frame\"><span id=\"counter\"></span></div>\n"
           "<p>Arrow keys step through the lines; Home and End go to the first and the last.</p>\n";
}

std::string StoryboardFrame(std::size_t index, const Frame& frame) {
    return "<section class=\"frame\" id=\"frame-" + std::to_string(index + 1) + "\"" + (index == 0 ? "" : " hidden") +
           ">\n<h2>" + EscapeMarkup(frame.title) + "</h2>\n" + frame.svg + "<pre>" + EscapeMarkup(frame.transcript) +
           "</pre>\n</section>\n";
}

std::string StoryboardTail() { return std::string("<script>") + kScript + "</script>\n</body>\n</html>\n"; }

}  // namespace workbench
