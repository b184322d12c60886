// Test program whose main is not static, so no launcher can call it.
public class NoMain {
  public void main(String[] args) {}
}
