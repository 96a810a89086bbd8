#pragma once

#include <QImage>

// The pictures of the window layout that are part of the program rather than of the course
// folder. Each call decodes the picture anew (libjpeg, RGB32); they are small.
class BuiltInPictures {
public:
    static QImage header();                 // 1013 × 70, the publisher's logo on a dark blue gradient
    static QImage tabStrip();               // 300 × 18, TRAINING, RESOURCES, SPONSORS, none chosen
    static QImage bannerFrame();            // 470 × 62, dark purple frame behind the sponsor banner
    static QImage thinLine();               // 800 × 1
    static QImage searchButton();           // 63 × 20, SEARCH
    static QImage tutorialsLabel();         // 73 × 19
    static QImage pluginsScriptsLabel();    // 133 × 22, "Plugins / Scripts"
    static QImage jobsLabel();              // 42 × 22
    static QImage resultsLabel();           // 61 × 20
    static QImage reviewsArticlesLabel();   // 145 × 21, "Reviews / Articles"
    static QImage applicationLabel();       // 74 × 21, "Application:"
    static QImage keywordLabel();           // 59 × 19, "Keyword:"
    static QImage industryLabel();          // 53 × 19, "Industry:"
    static QImage pluginLabel();            // 41 × 19
    static QImage scriptLabel();            // 37 × 18
    static QImage reviewLabel();            // 42 × 14
    static QImage articleLabel();           // 41 × 16
};
