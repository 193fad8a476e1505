/* Keeps an enlarged picture inside the window: its height never exceeds the window's less a
   60-pixel border, on load and whenever the window changes size. Needs no library. */
(function () {
  "use strict";
  function fit() {
    var limit = Math.max(window.innerHeight - 60, 0) + "px";
    var pictures = document.querySelectorAll(".modal img");
    for (var i = 0; i < pictures.length; i++) {
      pictures[i].style.maxHeight = limit;
    }
  }
  if (document.readyState === "loading") {
    document.addEventListener("DOMContentLoaded", fit);
  } else {
    fit();
  }
  window.addEventListener("resize", fit);
})();
