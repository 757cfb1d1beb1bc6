#pragma once

class Tchat;

// The chat's menu commands: copy and paste, the text and action colours, the four
// text sizes and the phrase editor. Every change of colour or size is saved.
class ChatOptions {
  public:
    explicit ChatOptions(Tchat& window);

    // Once all windows exist: the phrase editor's menu item and its "Done".
    void connectPhraseEditor();

    void TextColor1Click();
    void ActionColor1Click();
    void textSizeClick(int points);
    void PhraseButtonList1Click();

  private:
    Tchat& w_;
};
