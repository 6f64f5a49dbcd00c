// The video player that the Visual Editor and the time picker host: a widget that shows the video
// and the small transport contract the rest of the program relies on. Hosts get one from
// CreateMediaPlayer, so that tests can hand them a scripted player instead of the real one.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    // Play states: only Playing counts as playing; the change event gives Stopped when stopped.
    enum State { Stopped = 0, Paused = 1, Playing = 2 };
    // Display modes: Duration() is in seconds in Time mode and in frames in Frames mode.
    enum Mode { Time = 0, Frames = 1 };

    using QWidget::QWidget;

    // Setting the file name opens the file and returns once it is loaded or has failed; "" closes
    // the video. After a failure the name is "" and ErrorText() says why.
    virtual QString FileName() const = 0;
    virtual void setFileName(const QString& path) = 0;
    virtual QString ErrorText() const = 0;

    virtual double Duration() const = 0;
    // Seconds. Assigning seeks; the position event follows once the player has moved.
    virtual double CurrentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;

    virtual int PlayState() const = 0;
    virtual int DisplayMode() const = 0;
    virtual void setDisplayMode(int mode) = 0;

    // Play, pause (keeps the position) and stop (back to the start). Each raises PlayStateChange
    // before it returns when the state changes.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;

signals:
    void FileOpened();
    void PlayStateChange(int OldState, int NewState);
    void PositionChange(double OldPosition, double NewPosition);
};

// A new player owned by parent: the real one unless a test installed a factory of its own.
MediaPlayer* CreateMediaPlayer(QWidget* parent);
using MediaPlayerFactory = std::function<MediaPlayer*(QWidget* parent)>;
// An empty factory brings the real player back.
void SetMediaPlayerFactory(MediaPlayerFactory factory);
