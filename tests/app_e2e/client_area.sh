# Sourced by the end-to-end scripts. The menu bar stands above the main
# window's client area (765 x 558); clicks are given in client coordinates.

# Clicks at (x, y) of the client area of the window.
click_client() { # window x y
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync --window "$1" "$2" $(($3 + HEIGHT - 558)) click 1
}
