"""The duel's desktop icon for scripts/make-icons: the two paddles facing each other across
a dashed centre line, and the ball, on the shared panel of 64 x 64 design units."""

CENTRE_LINE = (84, 90, 140)
DASH_LEFT, DASH_WIDTH, DASH_GAP, DASH_COUNT = 8.5, 4, 3, 7


def shapes(icons):
    drawn = icons.panel()
    for dash in range(DASH_COUNT):
        x = DASH_LEFT + dash * (DASH_WIDTH + DASH_GAP)
        drawn.append(icons.RoundedRect(x, 31.25, DASH_WIDTH, 1.5, 0.75, CENTRE_LINE))
    drawn.append(icons.RoundedRect(27, 10, 15, 4.5, 2.25, (242, 150, 48)))
    drawn.append(icons.RoundedRect(21, 49.5, 15, 4.5, 2.25, (88, 168, 240)))
    drawn.append(icons.Circle(38, 24, 3.4, icons.BALL))
    return drawn
