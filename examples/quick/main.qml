import QtQuick
import Twinscope

// The chart fills the window above a line that tells what the mouse last did.
Rectangle {
    width: 900
    height: 560
    color: "#f0f0f0"

    ChartItem {
        objectName: "chart"
        anchors.fill: parent
        anchors.bottomMargin: 24
        onZoomed: said.text = "zoomed in: drag to the upper left to undo"
        onZoomUndone: said.text = "zoom undone"
        onScrolled: said.text = "scrolled"
    }

    Text {
        id: said
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 4
        text: "drag with the left button to the lower right to zoom, with the right one to scroll"
    }
}
